// Torvi: the about box.
#include "tools/qt/frm_about.h"

#include "ui/qt/qt_text.h"
#include "ui/qt/resources.h"
#include "ui/qt/twip_geometry.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace torvi {

namespace {

QLabel *label(const char *name, const char *designText, const TwipRect &r, QWidget *parent)
{
    auto *l = new QLabel(designText, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeInTwips(l, r);
    return l;
}

} // namespace

frmAbout::frmAbout(const VersionInfo &version)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      m_version(version)
{
    initTorviResources();
    setObjectName("frmAbout");
    setWindowTitle("About MyApp");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(px(5730), px(3555));

    picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    picIcon->setAccessibleName("Emblema");
    placeInTwips(picIcon, {240, 240, 705, 690});
    // The emblem is drawn at the device's own resolution so it stays sharp when scaled.
    const QSize emblem(43, 42);
    picIcon->setPixmap(QIcon(Icons::Logo).pixmap(emblem, devicePixelRatioF()));
    picIcon->setAlignment(Qt::AlignCenter);

    lblTitle = label("lblTitle", "Application Title", {1050, 240, 3885, 480}, this);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = label("lblVersion", "Version", {1050, 780, 3885, 225}, this);
    lblAuthor = label("lblAuthor", "", {1080, 1080, 3975, 255}, this);
    lblDescription = label("lblDescription", "App Description", {1050, 1560, 3885, 810}, this);
    lblDisclaimer = label("lblDisclaimer", "Warning: ...", {255, 2625, 3870, 825}, this);
    QFont small = lblDisclaimer->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    lblDisclaimer->setFont(small);

    // The etched separator: a white line under a grey one.
    auto *grey = new QFrame(this);
    grey->setObjectName("Line1_1");
    grey->setAccessibleName("Separatore");
    grey->setFrameShape(QFrame::HLine);
    grey->setFrameShadow(QFrame::Sunken);
    grey->setGeometry(px(100), px(2440), px(5530), 2);

    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    placeInTwips(cmdOK, {4245, 2625, 1260, 345});
    // Esc rejects the dialog, which unloads it just as OK does.
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    Form_Load();
}

void frmAbout::Form_Load()
{
    setWindowTitle("About " + qs(m_version.title));
    lblVersion->setText("Version " + QString::fromStdString(versionText(m_version)));
    lblTitle->setText(qs(m_version.title));
    lblDescription->setText(qs(m_version.comments));
    lblAuthor->setText(qs(m_version.companyName));
    lblDisclaimer->setText(qs(m_version.legalNotice));
}

void frmAbout::cmdOK_Click()
{
    accept();
}

} // namespace torvi
