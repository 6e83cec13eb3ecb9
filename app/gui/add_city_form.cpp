#include "app/gui/add_city_form.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include "app/gui/gui_support.h"
#include "app/gui/help.h"
#include "app/gui/place_form.h"
#include "input/add_city.h"

namespace korv::gui {
namespace {

QLineEdit* edit(QWidget* parent, const char* name, int maxLength, int x, int y, int w) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    e->setGeometry(x, y, w, 28);
    e->setStyleSheet("background: rgb(255, 247, 200);");
    e->setFont(arialFont(15));
    return e;
}

QLabel* label(QWidget* parent, const char* text, int x, int y, int w) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(x, y, w, 18);
    return l;
}

}  // namespace

TInput3hForm::TInput3hForm(AppState& state, TInput2hForm* place) : QDialog(place), state_(state), place_(place) {
    setObjectName("Input3hForm");
    setWindowTitle(QString::fromUtf8("   Добавить город"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(548, 336);
    setFont(arialFont(14));
    setBackground(this, QColor(192, 220, 192));

    label(this, "Название города , поселка", 16, 12, 400);
    Edit1 = edit(this, "Edit1", 30, 16, 32, 516);

    auto* lon = new QGroupBox(QString::fromUtf8(" Долгота  "), this);
    lon->setObjectName("GroupBox1");
    lon->setGeometry(16, 76, 250, 176);
    label(lon, "Градусы", 16, 26, 90);
    Edit2 = edit(lon, "Edit2", 3, 16, 46, 90);
    label(lon, "Минуты", 128, 26, 90);
    Edit3 = edit(lon, "Edit3", 2, 128, 46, 90);
    RadioButton1 = new QRadioButton(QString::fromUtf8(" Восточная"), lon);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton1->setGeometry(16, 96, 200, 26);
    RadioButton2 = new QRadioButton(QString::fromUtf8(" Западная"), lon);
    RadioButton2->setObjectName("RadioButton2");
    RadioButton2->setGeometry(16, 128, 200, 26);

    auto* lat = new QGroupBox(QString::fromUtf8(" Широта  "), this);
    lat->setObjectName("GroupBox2");
    lat->setGeometry(282, 76, 250, 176);
    label(lat, "Градусы", 16, 26, 90);
    Edit4 = edit(lat, "Edit4", 2, 16, 46, 90);
    label(lat, "Минуты", 128, 26, 90);
    Edit5 = edit(lat, "Edit5", 2, 128, 46, 90);
    RadioButton3 = new QRadioButton(QString::fromUtf8(" Северная"), lat);
    RadioButton3->setObjectName("RadioButton3");
    RadioButton3->setGeometry(16, 96, 200, 26);
    RadioButton4 = new QRadioButton(QString::fromUtf8(" Южная"), lat);
    RadioButton4->setObjectName("RadioButton4");
    RadioButton4->setGeometry(16, 128, 200, 26);

    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(0, 336 - 40, 548, 40);
    setBackground(panel, QColor(63, 191, 194));
    auto* ok = new QPushButton(QString::fromUtf8(" Продолжить"), panel);
    ok->setObjectName("BitBtn1");
    ok->setGeometry(16, 5, 150, 30);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QString::fromUtf8("  Отменить"), panel);
    cancel->setObjectName("BitBtn2");
    cancel->setGeometry(184, 5, 150, 30);
    auto* help = new QPushButton(QString::fromUtf8("   &Помощь"), panel);
    help->setObjectName("BitBtn3");
    help->setGeometry(382, 5, 150, 30);
    connect(ok, &QPushButton::clicked, this, &TInput3hForm::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &TInput3hForm::BitBtn3Click);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, Edit5);
}

void TInput3hForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Each opening starts afresh; a window restored from minimised (a spontaneous show
    // event) keeps what the user has entered or scrolled to.
    if (!event->spontaneous()) FormActivate();
}

void TInput3hForm::FormActivate() {
    RadioButton1->setChecked(true);
    RadioButton3->setChecked(true);
    for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5}) e->clear();
    Edit1->setFocus();
}

void TInput3hForm::BitBtn1Click() {
    NewCity city;
    if (!nameToCp(this, Edit1->text(), QString::fromUtf8("Название города"), city.name)) return;
    city.lonDegrees = toCp(Edit2->text());
    city.lonMinutes = toCp(Edit3->text());
    city.west = RadioButton2->isChecked();
    city.latDegrees = toCp(Edit4->text());
    city.latMinutes = toCp(Edit5->text());
    city.south = RadioButton4->isChecked();
    // Missing or unreadable values: say so and keep the dialog open; nothing is written.
    const std::string refusal = CheckNewCity(city);
    if (!refusal.empty()) {
        QMessageBox::information(this, "Korvinaut 7", QString::fromStdString(refusal));
        return;
    }
    const bool done = runGuarded(this, [&] { place_->selection().addCity(city); });
    if (done) accept();
}

void TInput3hForm::BitBtn3Click() {
    runGuarded(this, [&] { OpenHelpTopic(this, state_.folders.MainDir, 110); });
}

}  // namespace korv::gui
