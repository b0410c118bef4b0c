// Torvi: the page-source window: one text box showing the main page's body as it stood at
// its last completed document. One shared instance, made on first use.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace torvi {

class frmSource : public QWidget
{
    Q_OBJECT

public:
    frmSource();
    QPlainTextEdit *Text1;
};

} // namespace torvi
