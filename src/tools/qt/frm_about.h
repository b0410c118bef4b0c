// Torvi: the about box, filled from the program's version information when it loads.
// One shared instance; OK (Enter or Esc) unloads it, and the next showing loads it afresh.
#pragma once

#include "tools/version_info.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace torvi {

class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(const VersionInfo &version = TorviVersion);

    QLabel *picIcon;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblAuthor;
    QLabel *lblDescription;
    QLabel *lblDisclaimer;
    QPushButton *cmdOK;

private:
    void Form_Load();
    void cmdOK_Click();

    VersionInfo m_version;
};

} // namespace torvi
