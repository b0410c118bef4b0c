// Torvi: the favorites panel.
#include "favorites/qt/favorites_panel.h"

#include "favorites/favorites_layout.h"
#include "favorites/favorites_texts.h"
#include "tools/version_info.h"
#include "ui/qt/message_boxes.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/twip_geometry.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QValidator>
#include <QtGlobal>
#include <utility>

// The resource initialiser must be named outside any namespace; a static library would
// otherwise let the linker drop it.
static void initFavoritesResource()
{
    Q_INIT_RESOURCE(favorites);
}

namespace torvi {

namespace {

const QString FavoritePicture = QStringLiteral(":/favorites/pictures/favorite.svg");

template <typename Control>
Control *makeControl(QWidget *parent, const char *name, const TwipRect &place)
{
    auto *control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    placeInTwips(control, place);
    return control;
}

QLabel *makeBoldLabel(QWidget *parent, const char *name, std::string_view text,
                      const TwipRect &place)
{
    auto *label = makeControl<QLabel>(parent, name, place);
    label->setText(qs(text));
    // The designed boxes fit an 8-point bold face; a larger default would cut "NOME:".
    QFont bold = label->font();
    bold.setBold(true);
    bold.setPointSize(8);
    label->setFont(bold);
    return label;
}

// Keeps a pasted line break out of a box whose text becomes one line of the favorites file:
// each CR or LF becomes a blank, as the file would store it, and the rest of the paste stays.
class OneLineValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        return Acceptable;
    }
};

QPushButton *makeButton(QWidget *parent, const char *name, std::string_view text,
                        const TwipRect &place)
{
    auto *button = makeControl<QPushButton>(parent, name, place);
    button->setText(qs(text));
    return button;
}

} // namespace

FavoritesPanel::FavoritesPanel(FavoritesHost &host, MessageBoxes &messageBoxes, QWidget *parent,
                               FavoritesFile file)
    : QGroupBox(qs(FavoritesCaption), parent), m_host(host), m_messageBoxes(messageBoxes),
      m_file(std::move(file))
{
    static const bool resourceReady = (initFavoritesResource(), true);
    (void)resourceReady;

    setObjectName(QStringLiteral("Frame1"));
    setAutoFillBackground(true);
    placeInTwips(this, FavoritesDesign::Frame1);

    Command1 = makeButton(this, "Command1", FavoritesClose, FavoritesDesign::Command1);

    ListView1 = makeControl<QListWidget>(this, "ListView1", FavoritesDesign::ListView1);
    ListView1->setAccessibleName(qs(FavoritesCaption));
    ListView1->setViewMode(QListView::IconMode);
    // Items must keep their places: position i in the list is position i in the table.
    ListView1->setMovement(QListView::Static);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setWordWrap(true);
    ListView1->setIconSize(QSize(px(480, this), px(480, this)));
    ListView1->setGridSize(QSize(px(2100, this), px(1200, this)));

    Label1 = makeBoldLabel(this, "Label1", FavoritesNameLabel, FavoritesDesign::Label1);
    txtNomePreferiti =
        makeControl<QLineEdit>(this, "txtNomePreferiti", FavoritesDesign::txtNomePreferiti);
    Label1->setBuddy(txtNomePreferiti);
    txtNomePreferiti->setAccessibleName(Label1->text().chopped(1));
    txtNomePreferiti->setValidator(new OneLineValidator(txtNomePreferiti));

    Label2 = makeBoldLabel(this, "Label2", FavoritesAddressLabel, FavoritesDesign::Label2);
    txtUrlPreferiti =
        makeControl<QLineEdit>(this, "txtUrlPreferiti", FavoritesDesign::txtUrlPreferiti);
    Label2->setBuddy(txtUrlPreferiti);
    txtUrlPreferiti->setAccessibleName(Label2->text().chopped(1));
    txtUrlPreferiti->setValidator(new OneLineValidator(txtUrlPreferiti));

    cmdNuovoPreferiti =
        makeButton(this, "cmdNuovoPreferiti", FavoritesAdd, FavoritesDesign::cmdNuovoPreferiti);
    cmdModificaPreferiti = makeButton(this, "cmdModificaPreferiti", FavoritesChange,
                                      FavoritesDesign::cmdModificaPreferiti);
    cmdEliminaPreferiti = makeButton(this, "cmdEliminaPreferiti", FavoritesDelete,
                                     FavoritesDesign::cmdEliminaPreferiti);

    connect(Command1, &QPushButton::clicked, this, &FavoritesPanel::Command1_Click);
    connect(ListView1, &QListWidget::itemClicked, this, &FavoritesPanel::ListView1_ItemClick);
    connect(ListView1, &QListWidget::itemDoubleClicked, this, &FavoritesPanel::ListView1_DblClick);
    connect(cmdNuovoPreferiti, &QPushButton::clicked, this,
            &FavoritesPanel::cmdNuovoPreferiti_Click);
    connect(cmdModificaPreferiti, &QPushButton::clicked, this,
            &FavoritesPanel::cmdModificaPreferiti_Click);
    connect(cmdEliminaPreferiti, &QPushButton::clicked, this,
            &FavoritesPanel::cmdEliminaPreferiti_Click);

    hide();
}

void FavoritesPanel::InitPreferiti()
{
    move(m_host.pageTopLeft());
    txtNomePreferiti->setText(m_host.pageCaption());
    txtUrlPreferiti->setText(m_host.pageAddressText());

    ListView1->clear();
    const Status loaded = m_file.load(m_table);
    for (const auto &entry : m_table.entries())
        ListView1->addItem(newItem(entry));
    // A file that exists but cannot be read must not be overwritten by the next change.
    for (QPushButton *edit : {cmdNuovoPreferiti, cmdModificaPreferiti, cmdEliminaPreferiti})
        edit->setEnabled(loaded.isOk());

    m_host.hidePageForPanel();
    show();
    raise();
    if (!loaded) {
        qWarning("%s", loaded.error().c_str());
        m_messageBoxes.show(this, qs(FavoritesNotRead), MessageButtons::Ok, MessageIcon::Critical,
                            qs(TorviVersion.title));
    }
}

void FavoritesPanel::cmdNuovoPreferiti_Click()
{
    FavoriteEntry entry = enteredEntry();
    ListView1->addItem(newItem(entry));
    m_table.add(std::move(entry));
    saveTable();
}

void FavoritesPanel::cmdModificaPreferiti_Click()
{
    const std::size_t position = selectedPosition();
    if (position == 0)
        return;
    FavoriteEntry entry = enteredEntry();
    QListWidgetItem *item = ListView1->item(static_cast<int>(position - 1));
    item->setText(qs(favoriteItemText(entry)));
    item->setToolTip(item->text());
    m_table.change(position, std::move(entry));
    saveTable();
}

void FavoritesPanel::cmdEliminaPreferiti_Click()
{
    const std::size_t position = selectedPosition();
    if (position == 0)
        return;
    delete ListView1->takeItem(static_cast<int>(position - 1));
    // Nothing stays selected, so a second click cannot delete the neighbour unseen.
    ListView1->clearSelection();
    m_table.remove(position);
    saveTable();
}

void FavoritesPanel::ListView1_ItemClick(QListWidgetItem *item)
{
    const std::size_t position = item ? static_cast<std::size_t>(ListView1->row(item)) + 1 : 0;
    if (!m_table.holds(position))
        return;
    // The table's pair, not the item's text: a name may itself hold " - ".
    const FavoriteEntry &entry = m_table.at(position);
    txtNomePreferiti->setText(qs(entry.name));
    txtUrlPreferiti->setText(qs(addressWithoutTabs(entry.address)));
}

void FavoritesPanel::ListView1_DblClick(QListWidgetItem *item)
{
    const std::size_t position = item ? static_cast<std::size_t>(ListView1->row(item)) + 1 : 0;
    if (!m_table.holds(position))
        return;
    m_host.openAddress(addressWithoutTabs(m_table.at(position).address));
    hide();
    m_host.showPageAfterOpen();
}

void FavoritesPanel::Command1_Click()
{
    m_host.closePanels();
}

std::size_t FavoritesPanel::selectedPosition() const
{
    const auto selected = ListView1->selectedItems();
    if (selected.isEmpty())
        return 0;
    return static_cast<std::size_t>(ListView1->row(selected.first())) + 1;
}

QListWidgetItem *FavoritesPanel::newItem(const FavoriteEntry &entry) const
{
    auto *item = new QListWidgetItem(QIcon(FavoritePicture), qs(favoriteItemText(entry)));
    item->setToolTip(item->text());
    return item;
}

FavoriteEntry FavoritesPanel::enteredEntry() const
{
    return {txtNomePreferiti->text().toStdString(), txtUrlPreferiti->text().toStdString()};
}

void FavoritesPanel::saveTable()
{
    const Status saved = m_file.rewrite(m_table);
    if (saved)
        return;
    // The list and the table keep the user's change; only the file is behind.
    qWarning("%s", saved.error().c_str());
    m_messageBoxes.show(this, qs(FavoritesNotSaved), MessageButtons::Ok, MessageIcon::Critical,
                        qs(TorviVersion.title));
}

} // namespace torvi
