// Torvi: the favorites panel.
#include "favorites/qt/favorites_panel.h"

#include "favorites/favorites_layout.h"
#include "favorites/favorites_texts.h"
#include "favorites/qt/favorites_list_model.h"
#include "tools/version_info.h"
#include "ui/qt/message_boxes.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/twip_geometry.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QValidator>
#include <QtConcurrent/QtConcurrentRun>
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

    m_list = new FavoritesListModel(QIcon(FavoritePicture), this);
    ListView1 = makeControl<QListView>(this, "ListView1", FavoritesDesign::ListView1);
    ListView1->setAccessibleName(qs(FavoritesCaption));
    ListView1->setViewMode(QListView::IconMode);
    // Items must keep their places: position i in the list is position i in the table.
    ListView1->setMovement(QListView::Static);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setWordWrap(true);
    ListView1->setIconSize(QSize(px(480, this), px(480, this)));
    ListView1->setGridSize(QSize(px(2100, this), px(1200, this)));
    // Every item fills one cell of the grid: the view places 200 000 items without measuring
    // each one's text.
    ListView1->setUniformItemSizes(true);
    // Laid out a batch at a time: the first items paint before the last are placed.
    ListView1->setLayoutMode(QListView::Batched);
    ListView1->setBatchSize(2000);
    ListView1->setModel(m_list);

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
    connect(ListView1, &QListView::clicked, this, &FavoritesPanel::ListView1_ItemClick);
    connect(ListView1, &QListView::doubleClicked, this, &FavoritesPanel::ListView1_DblClick);
    connect(cmdNuovoPreferiti, &QPushButton::clicked, this,
            &FavoritesPanel::cmdNuovoPreferiti_Click);
    connect(cmdModificaPreferiti, &QPushButton::clicked, this,
            &FavoritesPanel::cmdModificaPreferiti_Click);
    connect(cmdEliminaPreferiti, &QPushButton::clicked, this,
            &FavoritesPanel::cmdEliminaPreferiti_Click);

    hide();
}

FavoritesPanel::~FavoritesPanel()
{
    m_readers.waitForDone();
}

void FavoritesPanel::InitPreferiti()
{
    move(m_host.pageTopLeft());
    txtNomePreferiti->setText(m_host.pageCaption());
    txtUrlPreferiti->setText(m_host.pageAddressText());

    if (m_loading) {
        m_loading->disconnect(this);
        m_loading->deleteLater();
    }
    m_list->replaceTable({});
    setEditing(false);
    m_host.hidePageForPanel();
    show();
    raise();
    // A large file takes longer to read and split than a frame lasts: the panel shows at once
    // and the favorites follow.
    m_loading = new QFutureWatcher<FavoritesRead>(this);
    connect(m_loading, &QFutureWatcherBase::finished, this, &FavoritesPanel::showReadTable);
    m_loading->setFuture(QtConcurrent::run(&m_readers, [file = m_file] {
        FavoritesRead read;
        const Status loaded = file.load(read.table);
        if (!loaded)
            read.error = loaded.error();
        return read;
    }));
}

void FavoritesPanel::showReadTable()
{
    QFutureWatcher<FavoritesRead> *done = std::exchange(m_loading, nullptr);
    FavoritesRead read = done->future().takeResult();
    done->deleteLater();
    m_list->replaceTable(std::move(read.table));
    // A file that exists but cannot be read must not be overwritten by the next change.
    setEditing(read.error.empty());
    if (!read.error.empty()) {
        qWarning("%s", read.error.c_str());
        m_messageBoxes.show(this, qs(FavoritesNotRead), MessageButtons::Ok, MessageIcon::Critical,
                            qs(TorviVersion.title));
    }
}

void FavoritesPanel::setEditing(bool on)
{
    for (QPushButton *edit : {cmdNuovoPreferiti, cmdModificaPreferiti, cmdEliminaPreferiti})
        edit->setEnabled(on);
}

void FavoritesPanel::cmdNuovoPreferiti_Click()
{
    m_list->add(enteredEntry());
    saveTable();
}

void FavoritesPanel::cmdModificaPreferiti_Click()
{
    const std::size_t position = selectedPosition();
    if (position == 0)
        return;
    m_list->change(position, enteredEntry());
    saveTable();
}

void FavoritesPanel::cmdEliminaPreferiti_Click()
{
    const std::size_t position = selectedPosition();
    if (position == 0)
        return;
    m_list->remove(position);
    // Nothing stays selected, so a second click cannot delete the neighbour unseen.
    ListView1->clearSelection();
    saveTable();
}

void FavoritesPanel::ListView1_ItemClick(const QModelIndex &item)
{
    const std::size_t position = item.isValid() ? static_cast<std::size_t>(item.row()) + 1 : 0;
    if (!m_list->table().holds(position))
        return;
    // The table's pair, not the item's text: a name may itself hold " - ".
    const FavoriteEntry &entry = m_list->table().at(position);
    txtNomePreferiti->setText(qs(entry.name));
    txtUrlPreferiti->setText(qs(addressWithoutTabs(entry.address)));
}

void FavoritesPanel::ListView1_DblClick(const QModelIndex &item)
{
    const std::size_t position = item.isValid() ? static_cast<std::size_t>(item.row()) + 1 : 0;
    if (!m_list->table().holds(position))
        return;
    m_host.openAddress(addressWithoutTabs(m_list->table().at(position).address));
    hide();
    m_host.showPageAfterOpen();
}

void FavoritesPanel::Command1_Click()
{
    m_host.closePanels();
}

std::size_t FavoritesPanel::selectedPosition() const
{
    const QModelIndexList selected = ListView1->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return 0;
    return static_cast<std::size_t>(selected.first().row()) + 1;
}

FavoriteEntry FavoritesPanel::enteredEntry() const
{
    return {txtNomePreferiti->text().toStdString(), txtUrlPreferiti->text().toStdString()};
}

void FavoritesPanel::saveTable()
{
    const Status saved = m_file.rewrite(m_list->table());
    if (saved)
        return;
    // The list and the table keep the user's change; only the file is behind.
    qWarning("%s", saved.error().c_str());
    m_messageBoxes.show(this, qs(FavoritesNotSaved), MessageButtons::Ok, MessageIcon::Critical,
                        qs(TorviVersion.title));
}

} // namespace torvi
