// Torvi: the history panel's list, newest first, three columns. It keeps the lines as read and
// makes the shown texts only for the rows a view asks for, so a list of 200 000 lines or one
// line of 50 MB costs no more to show than a short one.
#pragma once

#include "history/history_file.h"

#include <QAbstractTableModel>
#include <vector>

namespace torvi {

class HistoryListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void replaceLines(std::vector<HistoryLine> lines);

    // The whole address of a row, as written in the file.
    const std::string &address(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<HistoryLine> m_lines;
};

} // namespace torvi
