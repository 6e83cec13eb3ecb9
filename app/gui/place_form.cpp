#include "app/gui/place_form.h"

#include <QCompleter>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QShowEvent>

#include "app/gui/add_city_form.h"
#include "app/gui/gui_support.h"
#include "app/gui/help.h"
#include "input/atlas.h"

namespace korv::gui {
namespace {

constexpr int kEntryRole = Qt::UserRole;

// A small picture for a region button: a globe-like disc in the region's colour.
QIcon regionIcon(int index) {
    static const QColor colours[] = {QColor(200, 60, 60), QColor(60, 110, 200), QColor(60, 160, 90),
                                     QColor(220, 150, 40), QColor(170, 110, 50), QColor(150, 70, 170),
                                     QColor(40, 160, 170)};
    QPixmap pixmap(28, 28);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colours[index % 7]);
    p.setPen(QPen(QColor(30, 30, 80), 1.5));
    p.drawEllipse(QRectF(2, 2, 24, 24));
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.2));
    p.drawLine(QPointF(3, 14), QPointF(25, 14));
    p.drawEllipse(QRectF(9, 2.5, 10, 23));
    return QIcon(pixmap);
}

// The entries come sorted as the dialog shows them. An entry keeps the file's leading
// blank; the text shown does not, so that typing the first letters finds it.
void fillList(QListWidget* list, const std::vector<std::string>& entries) {
    list->clear();
    for (const std::string& e : entries) {
        auto* item = new QListWidgetItem(fromCp(e).trimmed(), list);
        item->setData(kEntryRole, QByteArray::fromStdString(e));
    }
}


std::string entryOf(const QListWidgetItem* item) {
    return item ? item->data(kEntryRole).toByteArray().toStdString() : std::string();
}

QListWidgetItem* itemWithEntry(const QListWidget* list, const std::string& entry) {
    for (int i = 0; i < list->count(); ++i)
        if (entryOf(list->item(i)) == entry) return list->item(i);
    return nullptr;
}

QListWidgetItem* selectedItem(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? nullptr : items.front();
}

}  // namespace

TInput2hForm::TInput2hForm(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("Input2hForm");
    setWindowTitle(QString::fromUtf8("   Выбор  региона,  страны  и  города "));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(742, 523);
    setFont(arialFont(14));
    setBackground(this, QColor(192, 220, 192));

    const auto& regions = Regions();
    for (int i = 0; i < static_cast<int>(regions.size()); ++i) {
        auto* b = new QPushButton(regionIcon(i), QString::fromUtf8(regions[i].caption.data(), regions[i].caption.size()),
                                  this);
        b->setObjectName(QString("BitBtn%1").arg(5 + i));
        b->setGeometry(16, 14 + i * 62, 170, 46);
        b->setIconSize(QSize(28, 28));
        b->setFont(arialFont(15, true));
        b->setStyleSheet("color: blue; text-align: left; padding-left: 8px;");
        connect(b, &QPushButton::clicked, this, [this, i] { RegionClick(i); });
    }

    auto heading = [&](const char* text, int x) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setGeometry(x, 12, 240, 22);
        l->setFont(arialFont(15, true));
        l->setStyleSheet("color: blue;");
    };
    heading("Страна", 216);
    heading("Город", 480);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(216, 38, 240, 418);
    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName("ListBox2");
    ListBox2->setGeometry(480, 38, 240, 418);
    // A selection made with the mouse or the keyboard counts as a click; the mere
    // focus (a current item without selection) does not choose anything.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TInput2hForm::ListBox1Click);
    connect(ListBox2, &QListWidget::itemSelectionChanged, this, &TInput2hForm::ListBox2Click);
    connect(ListBox2, &QListWidget::itemDoubleClicked, this, [this] { BitBtn1Click(); });
    // Coming to the city list with nothing selected selects its first city.
    ListBox2->installEventFilter(this);

    // A search across the whole atlas under the region buttons: the first letters of a
    // city, then a choice from the list of matches, select region, country and city.
    Search = new QLineEdit(this);
    Search->setObjectName("Search");
    Search->setGeometry(16, 440, 170, 28);
    Search->setPlaceholderText(QString::fromUtf8("Найти город…"));
    Search->setToolTip(QString::fromUtf8("Первые буквы названия города: программа найдёт его во всех регионах"));
    Search->setFont(arialFont(13));
    SearchCompleter = new QCompleter(this);
    SearchCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    SearchCompleter->setFilterMode(Qt::MatchStartsWith);
    SearchCompleter->setMaxVisibleItems(12);
    SearchCompleter->setCompletionMode(QCompleter::PopupCompletion);
    Search->setCompleter(SearchCompleter);
    connect(SearchCompleter, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) { chooseFound(index.data(Qt::UserRole).toInt()); });
    connect(Search, &QLineEdit::textEdited, this, [this] { loadSearchIndex(); });

    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(0, 523 - 45, 742, 45);
    setBackground(panel, QColor(63, 191, 194));
    auto button = [&](const char* name, const char* caption, int x, int w) {
        auto* b = new QPushButton(QString::fromUtf8(caption), panel);
        b->setObjectName(name);
        b->setGeometry(x, 8, w, 30);
        return b;
    };
    auto* ok = button("BitBtn1", " Продолжить", 16, 150);
    ok->setDefault(true);
    auto* cancel = button("BitBtn2", "  Отменить", 180, 150);
    auto* add = button("BitBtn3", "Добавить город", 360, 170);
    auto* help = button("BitBtn4", "   &Помощь", 576, 150);
    connect(ok, &QPushButton::clicked, this, &TInput2hForm::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &TInput2hForm::BitBtn2Click);
    connect(add, &QPushButton::clicked, this, &TInput2hForm::BitBtn3Click);
    connect(help, &QPushButton::clicked, this, &TInput2hForm::BitBtn4Click);
}

void TInput2hForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Each opening starts afresh; a window restored from minimised (a spontaneous show
    // event) keeps what the user has entered or scrolled to.
    if (!event->spontaneous()) FormActivate();
}

void TInput2hForm::FormActivate() {
    state_.folders = ProgramFolders::fromWorkingDirectory();
    selection_ = PlaceSelection(state_.folders.SysDir);
    selection_.activate(state_.flags);
    ListBox1->clear();
    ListBox2->clear();
    Search->clear();
    searchIndexLoaded_ = false;  // a city may have been added since
}

bool TInput2hForm::eventFilter(QObject* watched, QEvent* event) {
    // By the keyboard only: a mouse click selects the city it lands on.
    if (watched == ListBox2 && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason && ListBox2->count() > 0 &&
        ListBox2->selectedItems().isEmpty())
        ListBox2->setCurrentRow(0);
    return QDialog::eventFilter(watched, event);
}

void TInput2hForm::loadSearchIndex() {
    if (searchIndexLoaded_) return;
    searchIndexLoaded_ = true;
    runGuarded(this, [&] {
        found_ = ListAtlasCities(state_.folders.SysDir);
        auto* model = new QStandardItemModel(SearchCompleter);
        for (int i = 0; i < static_cast<int>(found_.size()); ++i) {
            const AtlasCityRef& c = found_[i];
            const QString region = QString::fromUtf8(Regions()[c.region].caption.data(), Regions()[c.region].caption.size());
            auto* item = new QStandardItem(fromCp(c.city).trimmed() + "  —  " + fromCp(c.country).trimmed() + ", " +
                                           region.trimmed());
            item->setData(i, Qt::UserRole);
            model->appendRow(item);
        }
        SearchCompleter->setModel(model);
    });
}

void TInput2hForm::chooseFound(int index) {
    if (index < 0 || index >= static_cast<int>(found_.size())) return;
    const AtlasCityRef c = found_[index];
    RegionClick(c.region);
    if (QListWidgetItem* country = itemWithEntry(ListBox1, c.country)) ListBox1->setCurrentItem(country);
    if (QListWidgetItem* city = itemWithEntry(ListBox2, c.city)) {
        ListBox2->setCurrentItem(city);
        ListBox2->scrollToItem(city);
    }
    Search->clear();
    ListBox2->setFocus();
}

void TInput2hForm::RegionClick(int region) {
    ListBox2->clear();
    ListBox1->clear();
    runGuarded(this, [&] {
        selection_.chooseRegion(Regions()[region]);
        fillList(ListBox1, selection_.countries());
    });
}

void TInput2hForm::ListBox1Click() {
    const QListWidgetItem* country = selectedItem(ListBox1);
    if (!selection_.regionChosen() || !country) return;
    ListBox2->clear();
    runGuarded(this, [&] {
        selection_.chooseCountry(entryOf(country));
        showCities();
    });
}

void TInput2hForm::showCities() {
    {
        const QSignalBlocker quiet(ListBox2);  // refilling chooses no city
        fillList(ListBox2, selection_.cities());
    }
    // A country of one city: that city is the choice.
    if (ListBox2->count() == 1) ListBox2->setCurrentRow(0);
}

void TInput2hForm::ListBox2Click() {
    if (const QListWidgetItem* city = selectedItem(ListBox2)) selection_.chooseCity(entryOf(city));
}

void TInput2hForm::BitBtn1Click() {
    // A city counts only when it is selected in the list shown now.
    if (!selection_.regionChosen() || !selection_.countryChosen() || !selection_.cityChosen() ||
        !selectedItem(ListBox2)) {
        QMessageBox::warning(this, "Korvinaut 7", QString::fromUtf8(kNoCityMessage));
        PlaceSelection::cancel(state_.flags);
        return;
    }
    if (runGuarded(this, [&] { selection_.confirm(state_.BirthRecord, state_.flags); })) accept();
}

void TInput2hForm::BitBtn2Click() {
    PlaceSelection::cancel(state_.flags);
    reject();
}

void TInput2hForm::BitBtn3Click() {
    if (!selection_.canAddCity()) {
        QMessageBox::information(this, "Korvinaut 7", QString::fromUtf8(kNoRegionAndCountryMessage));
        return;
    }
    if (addCity_ && addCity_->exec() == QDialog::Accepted) showCities();
}

void TInput2hForm::BitBtn4Click() {
    runGuarded(this, [&] { OpenHelpTopic(this, state_.folders.MainDir, 100); });
}

}  // namespace korv::gui
