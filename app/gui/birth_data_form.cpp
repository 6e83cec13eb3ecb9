#include "app/gui/birth_data_form.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTime>

#include "app/gui/gui_support.h"
#include <QRegularExpression>
#include <algorithm>

#include "app/gui/help.h"
#include "app/gui/place_form.h"
#include "input/birth_data_entry.h"

namespace korv::gui {
namespace {

const QString kFieldStyle = "background: rgb(255, 247, 200);";

// A spin edit that lets a number beyond its limits be typed in full and then brings it
// to the nearest limit (45 in "День" becomes 31): a plain spin edit refuses the second
// digit and silently leaves 4, a different and plausible day.
class ClampingSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& text, int& pos) const override {
        const QValidator::State state = QSpinBox::validate(text, pos);
        if (state != QValidator::Invalid) return state;
        static const QRegularExpression number("^\\s*-?\\d{1,6}\\s*$");
        return number.match(text).hasMatch() ? QValidator::Intermediate : QValidator::Invalid;
    }
    void fixup(QString& text) const override {
        bool ok = false;
        const int typed = text.trimmed().toInt(&ok);
        if (ok) text = QString::number(std::clamp(typed, minimum(), maximum()));
        else QSpinBox::fixup(text);
    }
};

QSpinBox* spinEdit(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setGeometry(x, y, w, 18);
    auto* spin = new ClampingSpinBox(parent);
    spin->setObjectName(name);
    spin->setGeometry(x, y + 20, w, 28);
    spin->setStyleSheet(kFieldStyle);
    spin->setFont(arialFont(15));
    // A value typed beyond a limit is brought to that limit when the focus leaves.
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    spin->setKeyboardTracking(false);
    return spin;
}

}  // namespace

QStringList TInput1hForm::explanationLines() {
    return {
        QString::fromUtf8("   Атлас программы знает историю часовых поясов и летнего"),
        QString::fromUtf8("времени своих городов: по дате и времени рождения он сам"),
        QString::fromUtf8("определяет пояс и то, действовало ли летнее время."),
        "",
        QString::fromUtf8("   Если флажок \"Летнее время\" расходится с атласом, программа"),
        QString::fromUtf8("скажет, что нашёл атлас, и спросит, что взять: данные атласа"),
        QString::fromUtf8("или Ваш флажок. Например, когда известно, что часы в тот день"),
        QString::fromUtf8("шли иначе, чем по правилам."),
        "",
        QString::fromUtf8("   Для городов, добавленных вручную, атлас летнего времени не"),
        QString::fromUtf8("знает: отметьте флажок сами, если в день и час рождения часы"),
        QString::fromUtf8("были переведены на час вперёд."),
        "",
        QString::fromUtf8("   Кнопка \"Календарь\" покажет месяц рождения с днями недели:"),
        QString::fromUtf8("так легко проверить, не пришлось ли рождение на ночь перевода"),
        QString::fromUtf8("стрелок (обычно с субботы на воскресенье)."),
        "",
        QString::fromUtf8("Подробнее - в справочной системе. Щелкните на кнопке \"Помощь\"."),
    };
}

TInput1hForm::TInput1hForm(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("Input1hForm");
    setWindowTitle(QString::fromUtf8("   Ввод данных"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(674, 528);
    setFont(arialFont(14));
    setBackground(this, QColor(192, 220, 192));

    auto* nameLabel = new QLabel(QString::fromUtf8("Имя"), this);
    nameLabel->setGeometry(16, 12, 300, 18);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(40);
    Edit1->setGeometry(16, 32, 360, 28);
    Edit1->setStyleSheet(kFieldStyle);
    Edit1->setFont(arialFont(15));

    auto* sexBox = new QGroupBox(this);
    sexBox->setObjectName("RadioGroup2");
    sexBox->setGeometry(400, 8, 256, 56);
    RadioGroup2 = new QButtonGroup(this);
    auto* man = new QRadioButton(QString::fromUtf8("  Мужчина"), sexBox);
    man->setObjectName("RadioMan");
    man->setGeometry(10, 16, 110, 28);
    auto* woman = new QRadioButton(QString::fromUtf8("  Женщина"), sexBox);
    woman->setObjectName("RadioWoman");
    woman->setGeometry(130, 16, 110, 28);
    RadioGroup2->addButton(man, 0);
    RadioGroup2->addButton(woman, 1);
    man->setChecked(true);

    auto* heading = new QLabel(QString::fromUtf8("Дата и время рождения"), this);
    heading->setGeometry(16, 72, 360, 20);
    heading->setFont(arialFont(15, true));
    heading->setStyleSheet("color: rgb(102, 102, 102);");
    SpinEdit1 = spinEdit(this, "SpinEdit1", "День", 16, 96, 64);
    SpinEdit2 = spinEdit(this, "SpinEdit2", "Месяц", 88, 96, 64);
    SpinEdit3 = spinEdit(this, "SpinEdit3", "Год", 160, 96, 84);
    SpinEdit4 = spinEdit(this, "SpinEdit4", "Час", 268, 96, 64);
    SpinEdit5 = spinEdit(this, "SpinEdit5", "Мин.", 340, 96, 64);
    SpinEdit1->setRange(1, 31);
    SpinEdit2->setRange(1, 12);
    SpinEdit3->setRange(kMinYear, kMaxYear);
    SpinEdit4->setRange(0, 23);
    SpinEdit5->setRange(0, 59);

    CheckBox1 = new QCheckBox(QString::fromUtf8("Летнее время (Важно! Не забудьте отметить при необходимости)"), this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setGeometry(16, 156, 640, 24);
    CheckBox1->setFont(arialFont(14, true));
    CheckBox1->setStyleSheet("color: red;");

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setGeometry(16, 190, 440, 278);
    Memo1->setStyleSheet("background: rgb(240, 248, 220);");
    Memo1->setFont(arialFont(12));
    Memo1->setPlainText(explanationLines().join('\n'));

    BitBtn2 = new QPushButton(QString::fromUtf8(" Календарь"), this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(472, 190, 184, 30);
    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setObjectName("MonthCalendar1");
    MonthCalendar1->setGeometry(466, 228, 200, 190);
    MonthCalendar1->setFont(arialFont(11));
    MonthCalendar1->setGridVisible(true);
    // Russian month and day names, weeks from Monday; without the week numbers the seven
    // day columns are wide enough for their names.
    MonthCalendar1->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar1->setDateRange(QDate(kMinYear, 1, 1), QDate(kMaxYear, 12, 31));
    MonthCalendar1->hide();

    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(0, 528 - 46, 674, 46);
    setBackground(panel, QColor(63, 191, 194));
    BitBtn1 = new QPushButton(QString::fromUtf8("Продолжить"), panel);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(16, 8, 150, 30);
    BitBtn1->setDefault(true);
    BitBtn3 = new QPushButton(QString::fromUtf8("   Отменить"), panel);
    BitBtn3->setObjectName("BitBtn3");
    BitBtn3->setGeometry(184, 8, 150, 30);
    BitBtn4 = new QPushButton(QString::fromUtf8("  Помощь"), panel);
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setGeometry(508, 8, 150, 30);

    // Tab follows the form: name, sex, date and time, summer time, calendar, then the
    // row of buttons at the bottom from left to right.
    setTabOrder(Edit1, RadioGroup2->button(0));
    setTabOrder(RadioGroup2->button(0), RadioGroup2->button(1));
    setTabOrder(RadioGroup2->button(1), SpinEdit1);
    setTabOrder(SpinEdit1, SpinEdit2);
    setTabOrder(SpinEdit2, SpinEdit3);
    setTabOrder(SpinEdit3, SpinEdit4);
    setTabOrder(SpinEdit4, SpinEdit5);
    setTabOrder(SpinEdit5, CheckBox1);
    setTabOrder(CheckBox1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn1);
    setTabOrder(BitBtn1, BitBtn3);
    setTabOrder(BitBtn3, BitBtn4);

    connect(BitBtn1, &QPushButton::clicked, this, &TInput1hForm::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TInput1hForm::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TInput1hForm::BitBtn4Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TInput1hForm::BitBtn2Click);
}

void TInput1hForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Each opening starts afresh; a window restored from minimised (a spontaneous show
    // event) keeps what the user has entered or scrolled to.
    if (!event->spontaneous()) FormActivate();
}

void TInput1hForm::FormActivate() {
    MonthCalendar1->hide();
    Edit1->clear();
    const QDate today = QDate::currentDate();
    const QTime now = QTime::currentTime();
    SpinEdit1->setValue(today.day());
    SpinEdit2->setValue(today.month());
    SpinEdit3->setValue(today.year());
    SpinEdit4->setValue(now.hour());
    SpinEdit5->setValue(now.minute());
    ClearBirthRecord(state_.BirthRecord);
    Edit1->setFocus();
}

void TInput1hForm::BitBtn1Click() {
    // Spin boxes commit what is typed (brought within the limits) before we read them.
    for (QSpinBox* s : {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4, SpinEdit5}) s->interpretText();
    BirthDialogValues values;
    if (!nameToCp(this, Edit1->text(), QString::fromUtf8("Имя"), values.name)) return;
    values.day = SpinEdit1->value();
    values.month = SpinEdit2->value();
    values.year = SpinEdit3->value();
    values.hour = SpinEdit4->value();
    values.minute = SpinEdit5->value();
    values.woman = RadioGroup2->checkedId() == 1;
    values.summerTime = CheckBox1->isChecked();
    runGuarded(this, [&] {
        StoreBirthDialogValues(values, state_.BirthRecord);
        state_.flags.PlaceChosen = false;
        if (place_) place_->exec();
        if (state_.flags.PlaceChosen && place_) settleSummerTime();
        FinishBirthDataEntry(state_.BirthRecord, state_.flags, state_.folders.SysDir);
    });
    accept();
}

void TInput1hForm::settleSummerTime() {
    const std::optional<ClockReading>& atlas = place_->selection().atlasClock();
    if (!atlas) return;  // a city added by hand: the box decides
    bool summer = CheckBox1->isChecked();
    const std::string question = SummerTimeQuestion(*atlas, summer);
    if (!question.empty()) {
        QMessageBox box(QMessageBox::Question, "Korvinaut 7", QString::fromUtf8(question), QMessageBox::NoButton,
                        this);
        box.setObjectName("SummerTimeQuestion");
        QPushButton* takeAtlas = box.addButton(QString::fromUtf8("Как в атласе"), QMessageBox::AcceptRole);
        takeAtlas->setObjectName("TakeAtlas");
        box.addButton(QString::fromUtf8("Оставить мой выбор"), QMessageBox::RejectRole)->setObjectName("KeepMine");
        box.setDefaultButton(takeAtlas);
        box.exec();
        if (box.clickedButton() == takeAtlas) summer = atlas->summer;
    }
    SetSummerTime(state_.BirthRecord, summer);
    CheckBox1->setChecked(summer);  // the box shows what the chart uses
}

void TInput1hForm::BitBtn3Click() { reject(); }

void TInput1hForm::reject() {
    // Without this, Esc would close the dialog with DataConfirmed still set by the last
    // chart, and the chart run would go on with the emptied birth record.
    CancelBirthDataEntry(state_.flags);
    QDialog::reject();
}

void TInput1hForm::BitBtn4Click() {
    runGuarded(this, [&] { OpenHelpTopic(this, state_.folders.MainDir, 50); });
}

void TInput1hForm::BitBtn2Click() {
    MonthCalendar1->show();
    // The date of the spin edits, d/m/yyyy; a day the month does not have is refused.
    const QString text = QString("%1/%2/%3").arg(SpinEdit1->value()).arg(SpinEdit2->value()).arg(SpinEdit3->value());
    const QDate date(SpinEdit3->value(), SpinEdit2->value(), SpinEdit1->value());
    if (!date.isValid()) {
        showError(this, "'" + text + "' is not a valid date");
        return;
    }
    MonthCalendar1->setSelectedDate(date);
}

}  // namespace korv::gui
