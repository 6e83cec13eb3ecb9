// The desktop program's windows driven as a user drives them: buttons clicked, list
// entries chosen, modal dialogs answered while they are open. Runs on Qt's offscreen
// platform in a temporary copy of the program folder (the windows find every file
// relative to the working directory), with fresh windows for every case.
#include <QApplication>
#include <algorithm>
#include <QCalendarWidget>
#include <QCompleter>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <unistd.h>

#include "app/gui/about_form.h"
#include "app/gui/add_city_form.h"
#include "app/gui/birth_data_form.h"
#include "app/gui/main_window.h"
#include "app/gui/place_form.h"
#include "app/gui/problem_form.h"
#include "app/gui/report_viewer.h"
#include "app/gui/help.h"

#include <QPdfDocument>
#include <QPdfSelection>
#include "astro/chart_computation.h"
#include "chart/qt/fonts.h"
#include "chart/qt/wheel_image.h"
#include "common/text.h"
#include "input/add_city.h"
#include "input/example_birth.h"

namespace fs = std::filesystem;
using namespace korv::gui;

namespace {

// The windows as main() creates and links them.
struct Program {
    AppState state;
    TZKorvinautForm main{state};
    TInput1hForm input{state, &main};
    TInput2hForm place{state, &main};
    TInput3hForm addCity{state, &place};
    TAbout_Form about{state.folders.MainDir, &main};
    TForm2 viewer{&main};
    TProblemForm problems{state.folders.MainDir, state.folders.SysDir, &main};
    Program() {
        input.setPlaceForm(&place);
        place.setAddCityForm(&addCity);
        main.setForms(&input, &about, &viewer, &problems);
    }
};

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

template <class W>
W* child(QObject* parent, const char* name) {
    W* w = parent->findChild<W*>(name);
    if (!w) qFatal("no %s in %s", name, qPrintable(parent->objectName()));
    return w;
}

// Clicks a push button in its middle, a radio button or check box on its mark.
void click(QObject* parent, const char* name) {
    auto* button = child<QAbstractButton>(parent, name);
    const QPoint at = qobject_cast<QPushButton*>(button) ? button->rect().center() : QPoint(8, button->height() / 2);
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

// Clicks the entry that reads `text` (blanks around it aside), as a user does.
bool clickEntry(QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (item->text().trimmed() != text) continue;
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        return true;
    }
    return false;
}

// Types `text` key by key (QTest::keyClicks takes Latin-1 letters only).
void type(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

QStringList entries(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text().trimmed();
    return texts;
}

// Lines of a Windows-1251 file with CR LF ends, as UTF-8 text.
QStringList fileLines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    QStringList lines = QString::fromStdString(korv::cp1251ToUtf8(bytes)).split("\r\n");
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Closes every open dialog, innermost first, so that a failed case cannot hang the run.
void closeDialogs() {
    while (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        modal->reject();
        QCoreApplication::processEvents();
        if (QApplication::activeModalWidget() == modal) break;
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->reject();
}

struct Person {
    QString name;
    int day, month, year, hour, minute;
    bool summerTime, woman;
    QString country, city;
};

// The example person of the screenshots, the one korv::ExampleBirthRecord builds.
const Person kAnna{u("Анна Смирнова"), 17, 5, 1990, 14, 30, true, true, u("Россия (Москва)"), u("Москва")};

}  // namespace

class GuiTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;  // the copy of the program folder, the working directory
    fs::path mainDir_;
    std::unique_ptr<Program> p_;
    QPointer<QObject> scope_;  // owns the answers of one case

    // Calls `act` on the next modal window of type W once it is open: the case arranges
    // the answer, then clicks what opens the window (its exec() runs the answer).
    template <class W>
    void whenOpen(std::function<void(W*)> act) {
        auto* timer = new QTimer(scope_);
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        connect(timer, &QTimer::timeout, timer, [timer, clock, act] {
            auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
            if (w && w->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(w);
            } else if (clock->elapsed() > 20000) {
                timer->stop();
                timer->deleteLater();
                QTest::qFail("an expected modal window did not open", __FILE__, __LINE__);
                closeDialogs();
            }
        });
        timer->start(10);
    }

    // Clicks `button` and returns the text of the message box it opens, closed with OK.
    QString messageAfter(QAbstractButton* button) {
        QString text;
        whenOpen<QMessageBox>([&text](QMessageBox* box) {
            text = box->text();
            QTest::mouseClick(box->buttons().constFirst(), Qt::LeftButton);
        });
        QTest::mouseClick(button, Qt::LeftButton);
        return text;
    }

    static void fillBirthDialog(TInput1hForm* d, const Person& who) {
        type(child<QLineEdit>(d, "Edit1"), who.name);
        const int values[] = {who.day, who.month, who.year, who.hour, who.minute};
        for (int i = 0; i < 5; ++i) child<QSpinBox>(d, qPrintable(QString("SpinEdit%1").arg(i + 1)))->setValue(values[i]);
        if (child<QCheckBox>(d, "CheckBox1")->isChecked() != who.summerTime) click(d, "CheckBox1");
        click(d, who.woman ? "RadioWoman" : "RadioMan");
    }

    // "Ввод данных" through both dialogs, the place from the region of the CIS.
    void runChart(const Person& who) {
        whenOpen<TInput1hForm>([this, &who](TInput1hForm* d) {
            fillBirthDialog(d, who);
            whenOpen<TInput2hForm>([&who](TInput2hForm* place) {
                click(place, "BitBtn5");
                clickEntry(child<QListWidget>(place, "ListBox1"), who.country);
                clickEntry(child<QListWidget>(place, "ListBox2"), who.city);
                click(place, "BitBtn1");
            });
            click(d, "BitBtn1");
        });
        click(&p_->main, "Button1");
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        mainDir_ = fs::path(folder_.path().toStdString()) / "Korvinaut";
        // The program folder without its executables, and with an empty Output folder.
        const fs::path program = KORVINAUT_PROGRAM_DIR;
        fs::create_directory(mainDir_);
        for (const auto& e : fs::directory_iterator(program)) {
            if (e.is_regular_file() && e.path().filename().string().starts_with("korvinaut")) continue;
            fs::copy(e.path(), mainDir_ / e.path().filename(), fs::copy_options::recursive);
        }
        fs::remove_all(mainDir_ / "Output");
        fs::create_directory(mainDir_ / "Output");
        fs::current_path(mainDir_);
        // Settings go to the temporary folder: the user's own are neither read nor written.
        QCoreApplication::setOrganizationName("korvinaut-gui-test");
        QCoreApplication::setApplicationName("gui_tests");
        for (auto scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(QSettings::NativeFormat, scope, folder_.filePath("settings"));
    }

    void cleanupTestCase() {
        QCoreApplication::setOrganizationName({});
        QCoreApplication::setApplicationName({});
        fs::current_path(fs::temp_directory_path());
    }

    void init() {
        scope_ = new QObject(this);
        // A case that leaves a dialog open fails after a minute instead of hanging.
        auto* watchdog = new QTimer(scope_);
        watchdog->setSingleShot(true);
        connect(watchdog, &QTimer::timeout, [] {
            QTest::qFail("a dialog stayed open", __FILE__, __LINE__);
            closeDialogs();
        });
        watchdog->start(60000);
        p_ = std::make_unique<Program>();
        p_->main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p_->main));
    }

    void cleanup() {
        closeDialogs();
        delete scope_;
        p_.reset();
    }

    // Name, date, summer time, sex, region, country and city through the dialogs: the
    // record, the caption, the wheel and "Анализ" follow the data entered.
    void chartRunThroughDialogs() {
        QVERIFY(!p_->main.analysisButton()->isEnabled());
        runChart(kAnna);

        const korv::TInData expected = korv::ExampleBirthRecord(mainDir_ / "System");
        const korv::TInData& got = p_->state.BirthRecord;
        QVERIFY(p_->state.flags.DataConfirmed);
        QCOMPARE(QString::fromStdString(korv::cp1251ToUtf8(got.line)),
                 QString::fromStdString(korv::cp1251ToUtf8(expected.line)));
        QCOMPARE(got.moment, expected.moment);
        QCOMPARE(fileLines(mainDir_ / "System" / "Client.dat"),
                 QStringList{QString::fromStdString(korv::cp1251ToUtf8(expected.line))});
        QCOMPARE(p_->main.windowTitle(), u(" Korvinaut 7   ") + kAnna.name.leftJustified(40) + u(" 17.05.1990 14:30:00 ") +
                                             kAnna.city.leftJustified(25) + u("  UT+3, летнее время"));
        QVERIFY(p_->main.analysisButton()->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());

        // The wheel on the window is the wheel of that chart.
        korv::TInData birth = expected;
        korv::ChartRecord chart;
        korv::EngineState engine;
        korv::PlutoTable pluto(mainDir_ / "System" / "pluto.sys");
        korv::ComputeChart(birth, chart, engine, pluto);
        QCOMPARE(p_->main.picture(), korv::RenderChartWheel(chart, 777, 626));
    }

    void cancelKeepsTheChart_data() {
        QTest::addColumn<bool>("inPlaceDialog");
        QTest::addColumn<bool>("escape");
        QTest::newRow("birth data: Отменить") << false << false;
        QTest::newRow("birth data: Esc") << false << true;
        QTest::newRow("place: Отменить") << true << false;
        QTest::newRow("place: Esc") << true << true;
    }

    // A cancelled run leaves the caption and the wheel of the last chart and disables
    // "Анализ"; Client.dat keeps the last confirmed line. Sex and summer time stay
    // chosen on the next opening, the name does not.
    void cancelKeepsTheChart() {
        QFETCH(bool, inPlaceDialog);
        QFETCH(bool, escape);
        runChart(kAnna);
        QVERIFY(p_->main.analysisButton()->isEnabled());
        const QString caption = p_->main.windowTitle();
        const QImage wheel = p_->main.picture();
        const QStringList client = fileLines(mainDir_ / "System" / "Client.dat");

        auto cancel = [escape](QDialog* d, const char* button) {
            if (escape)
                QTest::keyClick(d, Qt::Key_Escape);
            else
                click(d, button);
        };
        QString nameShown = "?";
        bool woman = false, summer = false;
        whenOpen<TInput1hForm>([&](TInput1hForm* d) {
            nameShown = child<QLineEdit>(d, "Edit1")->text();
            woman = child<QRadioButton>(d, "RadioWoman")->isChecked();
            summer = child<QCheckBox>(d, "CheckBox1")->isChecked();
            if (!inPlaceDialog) return cancel(d, "BitBtn3");
            whenOpen<TInput2hForm>([&](TInput2hForm* place) { cancel(place, "BitBtn2"); });
            click(d, "BitBtn1");
        });
        click(&p_->main, "Button1");

        QVERIFY(!p_->state.flags.DataConfirmed);
        QVERIFY(!p_->main.analysisButton()->isEnabled());
        QVERIFY(!p_->main.chartIsCurrent());  // the old wheel is shown dimmed
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(p_->main.windowTitle(), caption);
        QCOMPARE(p_->main.picture(), wheel);
        QCOMPARE(fileLines(mainDir_ / "System" / "Client.dat"), client);
        QCOMPARE(nameShown, QString());
        QVERIFY(woman);
        QVERIFY(summer);
    }

    void summerTimeQuestion_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("summerUsed");
        QTest::newRow("take the atlas's") << "TakeAtlas" << true;
        QTest::newRow("keep my own") << "KeepMine" << false;
    }

    // The box unticked for a birth the atlas finds in summer time: the user is asked,
    // and the line, the caption and the box show what was used.
    void summerTimeQuestion() {
        QFETCH(QString, answer);
        QFETCH(bool, summerUsed);
        Person anna = kAnna;
        anna.summerTime = false;
        QString question;
        bool boxAfter = !summerUsed;
        whenOpen<TInput1hForm>([&](TInput1hForm* d) {
            fillBirthDialog(d, anna);
            whenOpen<TInput2hForm>([&](TInput2hForm* place) {
                click(place, "BitBtn5");
                clickEntry(child<QListWidget>(place, "ListBox1"), anna.country);
                clickEntry(child<QListWidget>(place, "ListBox2"), anna.city);
                whenOpen<QMessageBox>([&](QMessageBox* box) {
                    question = box->text();
                    click(box, qPrintable(answer));
                });
                click(place, "BitBtn1");
            });
            click(d, "BitBtn1");
            boxAfter = child<QCheckBox>(d, "CheckBox1")->isChecked();
        });
        click(&p_->main, "Button1");

        QVERIFY2(question.contains(u("действовало летнее время")), qPrintable(question));
        QVERIFY(p_->state.flags.DataConfirmed);
        const korv::TInData& got = p_->state.BirthRecord;
        QCOMPARE(QString::fromStdString(got.dstCode), QString(summerUsed ? "L" : "Z"));
        // 14:30 at zone 3 is 11:30 UT, or 10:30 UT in summer time.
        QCOMPARE(got.moment, korv::DayNumber1900(17, 5, 1990, summerUsed ? 10 : 11, 30, 0));
        QVERIFY(p_->main.windowTitle().endsWith(summerUsed ? u("UT+3, летнее время") : u("UT+3, без летнего времени")));
        QCOMPARE(boxAfter, summerUsed);
    }

    void placeMessages_data() {
        QTest::addColumn<QStringList>("steps");  // "CIS" (the region button), then entries to click
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        const QString noCity = u("   Не выбран город!   ");
        const QString noCountry = u("   Не выбран континент и страна  ");
        QTest::newRow("continue, nothing chosen") << QStringList{} << "BitBtn1" << noCity;
        QTest::newRow("continue, country only") << QStringList{"CIS", u("Армения")} << "BitBtn1" << noCity;
        QTest::newRow("continue, city then another country")
            << QStringList{"CIS", u("Россия (Москва)"), u("Москва"), u("Армения")} << "BitBtn1" << noCity;
        QTest::newRow("add city, nothing chosen") << QStringList{} << "BitBtn3" << noCountry;
        QTest::newRow("add city, region only") << QStringList{"CIS"} << "BitBtn3" << noCountry;
    }

    // The place dialog refuses to go on without its choices and stays open.
    void placeMessages() {
        QFETCH(QStringList, steps);
        QFETCH(QString, button);
        QFETCH(QString, message);
        QString shown;
        QStringList missing;
        bool stayedOpen = false;
        whenOpen<TInput2hForm>([&](TInput2hForm* place) {
            auto* countries = child<QListWidget>(place, "ListBox1");
            auto* cities = child<QListWidget>(place, "ListBox2");
            for (const QString& step : steps)
                if (step == "CIS")
                    click(place, "BitBtn5");
                else if (!clickEntry(countries, step) && !clickEntry(cities, step))
                    missing << step;
            shown = messageAfter(child<QPushButton>(place, qPrintable(button)));
            stayedOpen = place->isVisible();
            click(place, "BitBtn2");
        });
        QCOMPARE(p_->place.exec(), int(QDialog::Rejected));
        QCOMPARE(missing, QStringList());
        QCOMPARE(shown, message);
        QVERIFY(stayedOpen);
        QVERIFY(!p_->state.flags.PlaceChosen);
    }

    // "Добавить город": refused while a field is short, then written after the country
    // line of the copy's place file; the city list reloads with it, nothing chosen, and
    // the new city can be chosen at once.
    void addCityReloadsCityList() {
        const fs::path original = fs::path(KORVINAUT_PROGRAM_DIR) / "System" / "sng.wdt";
        const std::string originalBytes = fileBytes(original);
        p_->state.BirthRecord = korv::ExampleBirthRecord(mainDir_ / "System");
        QString refusal;
        QStringList before, after;
        bool cityChosenAfterReload = true;
        whenOpen<TInput2hForm>([&](TInput2hForm* place) {
            click(place, "BitBtn5");
            clickEntry(child<QListWidget>(place, "ListBox1"), u("Россия (Москва)"));
            auto* cities = child<QListWidget>(place, "ListBox2");
            before = entries(cities);
            whenOpen<TInput3hForm>([&](TInput3hForm* add) {
                type(child<QLineEdit>(add, "Edit1"), u("Дорохово"));
                type(child<QLineEdit>(add, "Edit2"), "36");
                type(child<QLineEdit>(add, "Edit3"), "2");  // one digit: not all entered
                type(child<QLineEdit>(add, "Edit4"), "55");
                type(child<QLineEdit>(add, "Edit5"), "33");
                refusal = messageAfter(child<QPushButton>(add, "BitBtn1"));
                child<QLineEdit>(add, "Edit3")->setText("22");
                click(add, "BitBtn1");
            });
            click(place, "BitBtn3");
            after = entries(cities);
            cityChosenAfterReload = !cities->selectedItems().isEmpty();
            clickEntry(cities, u("Дорохово"));
            click(place, "BitBtn1");
        });
        QCOMPARE(p_->place.exec(), int(QDialog::Accepted));

        QCOMPARE(refusal, u(korv::kNotAllEnteredMessage));
        QVERIFY(!before.contains(u("Дорохово")));
        QVERIFY(after.contains(u("Дорохово")));
        QCOMPARE(after.size(), before.size() + 1);
        QVERIFY(!cityChosenAfterReload);
        QVERIFY(p_->state.flags.PlaceChosen);
        QCOMPARE(QString::fromStdString(korv::cp1251ToUtf8(p_->state.BirthRecord.city)), u("Дорохово").leftJustified(25));

        const QStringList lines = fileLines(mainDir_ / "System" / "sng.wdt");
        const auto country = std::find_if(lines.cbegin(), lines.cend(),
                                          [](const QString& l) { return l.startsWith(u("*Россия (Москва) ")); });
        QVERIFY(country != lines.cend());
        // A city added by hand carries no zone name: it keeps the country line's zones.
    QCOMPARE(*std::next(country), u(" Дорохово").leftJustified(31) + " 55 33   36 22");
        QCOMPARE(fileBytes(original), originalBytes);
    }

    // "Анализ" after a chart: the report files appear in Output and the viewer loads the
    // page; closing the viewer keeps the chart and "Анализ".
    void reportRunAndViewer() {
        p_->state.BirthRecord = korv::ExampleBirthRecord(mainDir_ / "System");
        p_->state.flags.DataConfirmed = true;
        QVERIFY(p_->main.ComputeAndDrawChart());
        const fs::path html = mainDir_ / "Output" / "horoscop.html";
        const fs::path zip = mainDir_ / "Output" / "Horoscop.zip";
        fs::remove(html);
        fs::remove(zip);
        const QImage wheel = p_->main.picture();

        QSignalSpy loaded(p_->viewer.browser(), &QWebEngineView::loadFinished);
        QUrl asked;
        whenOpen<TForm2>([&](TForm2* viewer) {
            if (loaded.isEmpty()) loaded.wait(30000);
            asked = viewer->browser()->url();
            click(viewer, "BitBtn2");
        });
        click(&p_->main, "Button4");

        QVERIFY(fs::is_regular_file(html));
        QVERIFY(fs::file_size(zip) > 0);
        QVERIFY(fileBytes(html).find(korv::cp("Анна Смирнова")) != std::string::npos);
        QCOMPARE(asked, QUrl::fromLocalFile(QString::fromStdString(html.string())));
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded.front().front().toBool(), true);
        QVERIFY(p_->main.analysisButton()->isEnabled());
        QCOMPARE(p_->main.picture(), wheel);
    }

    // A value typed beyond a field's limit is brought to the limit, not cut to another
    // plausible value; Tab goes from "Продолжить" to "Отменить" and "Помощь".
    void birthDialogTypingAndTabOrder() {
        QList<int> values;
        QStringList focusAfter;
        whenOpen<TInput1hForm>([&](TInput1hForm* d) {
            const std::pair<const char*, const char*> typed[] = {
                {"SpinEdit1", "45"}, {"SpinEdit3", "5000"}, {"SpinEdit4", "30"}, {"SpinEdit5", "75"}, {"SpinEdit2", "7"}};
            for (const auto& [name, text] : typed) {
                auto* spin = child<QSpinBox>(d, name);
                spin->setFocus();
                spin->selectAll();
                QTest::keyClicks(spin, QString::fromLatin1(text));
                QTest::keyClick(spin, Qt::Key_Tab);  // leaving the field brings the value to its limit
                values << spin->value();
            }
            child<QPushButton>(d, "BitBtn1")->setFocus();
            for (int i = 0; i < 2; ++i) {
                QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
                focusAfter << d->focusWidget()->objectName();
            }
            click(d, "BitBtn3");
        });
        click(&p_->main, "Button1");
        QCOMPARE(values, (QList<int>{31, 3000, 23, 59, 7}));
        QCOMPARE(focusAfter, (QStringList{"BitBtn3", "BitBtn4"}));
    }

    // Typing the first letters in a list jumps to the entry (any case, Cyrillic); coming
    // to the city list selects its first city; the search finds a city in any region
    // and selects region, country and city at once.
    void placeDialogTypeAheadAndSearch() {
        QString country, firstCity, foundCountry, foundCity;
        whenOpen<TInput1hForm>([&](TInput1hForm* d) {
            fillBirthDialog(d, kAnna);
            whenOpen<TInput2hForm>([&](TInput2hForm* place) {
                click(place, "BitBtn5");
                auto* countries = child<QListWidget>(place, "ListBox1");
                auto* cities = child<QListWidget>(place, "ListBox2");
                countries->setFocus();
                type(countries, u("укр"));
                country = countries->selectedItems().value(0) ? countries->selectedItems()[0]->text() : QString();
                cities->setFocus(Qt::TabFocusReason);
                firstCity = cities->selectedItems().value(0) ? cities->selectedItems()[0]->text() : QString();

                QLineEdit* search = place->searchField();
                search->setFocus();
                type(search, u("Ереван"));
                QAbstractItemView* popup = search->completer()->popup();
                QTRY_VERIFY(popup->isVisible());
                popup->setCurrentIndex(search->completer()->completionModel()->index(0, 0));
                QTest::keyClick(popup, Qt::Key_Return);
                foundCountry = countries->selectedItems().value(0) ? countries->selectedItems()[0]->text() : QString();
                foundCity = cities->selectedItems().value(0) ? cities->selectedItems()[0]->text() : QString();
                click(place, "BitBtn1");
            });
            click(d, "BitBtn1");
        });
        click(&p_->main, "Button1");
        QVERIFY2(country.startsWith(u("Украина")), qPrintable(country));
        QVERIFY(!firstCity.isEmpty());
        QCOMPARE(foundCountry, u("Армения"));
        QCOMPARE(foundCity, u("Ереван"));
        QVERIFY(p_->state.flags.DataConfirmed);
        QVERIFY(p_->main.windowTitle().contains(u("Ереван")));
    }

    // "Анализ" disabled looks disabled: its caption is drawn paler than when enabled.
    void disabledAnalysisLooksDisabled() {
        QPushButton* analysis = p_->main.analysisButton();
        auto darkestCaptionGrey = [analysis] {
            const QImage shot = analysis->grab().toImage();
            int darkest = 255;
            // The caption sits in the middle of the button; its darkest pixel is its colour.
            for (int y = shot.height() / 4; y < shot.height() * 3 / 4; ++y)
                for (int x = shot.width() / 4; x < shot.width() * 3 / 4; ++x) darkest = std::min(darkest, qGray(shot.pixel(x, y)));
            return darkest;
        };
        analysis->setEnabled(false);
        const int disabled = darkestCaptionGrey();
        analysis->setEnabled(true);
        const int enabled = darkestCaptionGrey();
        analysis->setEnabled(false);
        QVERIFY2(disabled >= enabled + 40, qPrintable(QString("caption grey %1 disabled, %2 enabled").arg(disabled).arg(enabled)));
        QVERIFY(p_->main.chartIsCurrent());  // nothing drawn yet: nothing to dim
    }

    // The sequence that once crashed: help from the place dialog, the place dialog
    // cancelled with Esc while the help is open, the help closed, then the dialogs again.
    // The one help window moves between the windows that ask for it; Back, Forward and
    // the links between the pages work; Esc closes it.
    void helpWindowSurvivesItsDialog() {
        QPointer<HelpWindow> help;
        whenOpen<TInput1hForm>([&](TInput1hForm* d) {
            fillBirthDialog(d, kAnna);
            whenOpen<TInput2hForm>([&](TInput2hForm* place) {
                click(place, "BitBtn4");
                help = place->findChild<HelpWindow*>("HelpWindow");
                QVERIFY(help && help->isVisible());
                QTest::keyClick(place, Qt::Key_Escape);
            });
            click(d, "BitBtn1");
        });
        click(&p_->main, "Button1");
        QVERIFY(help);
        help->close();
        QTest::qWait(50);

        runChart(kAnna);  // the place dialog shows again
        QVERIFY(p_->main.analysisButton()->isEnabled());

        click(&p_->main, "Button7");  // the main window's help: the same window, moved
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->parentWidget(), static_cast<QWidget*>(&p_->main));
        QTextBrowser* browser = help->browser();
        QVERIFY(browser->toPlainText().contains(u("Главное окно программы")));
        const QUrl first = browser->source();
        browser->setSource(QUrl::fromLocalFile(QString::fromStdString((mainDir_ / "Help" / "50.html").string())));
        QVERIFY(browser->toPlainText().contains(u("Ввод данных рождения")));
        click(help, "HelpBack");
        QCOMPARE(browser->source(), first);
        click(help, "HelpForward");
        QVERIFY(browser->toPlainText().contains(u("Ввод данных рождения")));
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    // "Сохранить PDF" of the example report on A4 and on Letter: no blank or near-blank
    // page (the print style lets long sections break across pages), and the text keeps
    // the 15 mm margins. The page text is read back from the PDF.
    void reportPdfPages_data() {
        QTest::addColumn<int>("paper");
        QTest::newRow("A4") << int(QPageSize::A4);
        QTest::newRow("Letter") << int(QPageSize::Letter);
    }
    void reportPdfPages() {
        QFETCH(int, paper);
        p_->state.BirthRecord = korv::ExampleBirthRecord(mainDir_ / "System");
        p_->state.flags.DataConfirmed = true;
        QVERIFY(p_->main.ComputeAndDrawChart());
        QVERIFY(p_->main.MakeReport());
        QSignalSpy loaded(p_->viewer.browser(), &QWebEngineView::loadFinished);
        p_->viewer.setProgramFolder(mainDir_);
        p_->viewer.show();
        QVERIFY(loaded.wait(30000));
        const QString pdf = folder_.filePath("report.pdf");
        bool finished = false, written = false;
        p_->viewer.writePdf(pdf, TForm2::pdfLayout(QPageSize::PageSizeId(paper)), [&](bool ok) {
            finished = true;
            written = ok;
        });
        QTRY_VERIFY_WITH_TIMEOUT(finished, 60000);
        QVERIFY(written);
        p_->viewer.hide();

        QPdfDocument doc;
        QCOMPARE(doc.load(pdf), QPdfDocument::Error::None);
        QVERIFY(doc.pageCount() > 10);
        const double margin = 15 / 25.4 * 72 - 1;  // 15 mm in points, less a point for rounding
        for (int page = 0; page < doc.pageCount(); ++page) {
            const QPdfSelection text = doc.getAllText(page);
            QVERIFY2(text.text().size() >= 300,
                     qPrintable(QString("page %1 of %2 holds %3 characters").arg(page + 1).arg(doc.pageCount()).arg(text.text().size())));
            const QRectF box = text.boundingRectangle();
            const QSizeF size = doc.pagePointSize(page);
            QVERIFY2(box.left() >= margin && box.top() >= margin && box.right() <= size.width() - margin &&
                         box.bottom() <= size.height() - margin,
                     qPrintable(QString("page %1: text at (%2, %3)-(%4, %5) of %6 x %7 points")
                                    .arg(page + 1).arg(box.left()).arg(box.top()).arg(box.right()).arg(box.bottom())
                                    .arg(size.width()).arg(size.height())));
        }
    }

    // " Календарь" shows the date of the spin edits, refuses a day the month lacks and
    // keeps its date; restoring the minimised dialog keeps what was typed.
    void birthDialogCalendar() {
        QDate shown, afterRefusal;
        QString refusal, nameAfterRestore;
        bool calendarHidden = false;
        whenOpen<TInput1hForm>([&](TInput1hForm* d) {
            auto* calendar = child<QCalendarWidget>(d, "MonthCalendar1");
            calendarHidden = calendar->isHidden();
            fillBirthDialog(d, {u("Пётр"), 15, 6, 1930, 8, 5, false, false, {}, {}});
            click(d, "BitBtn2");
            shown = calendar->selectedDate();
            child<QSpinBox>(d, "SpinEdit1")->setValue(31);
            child<QSpinBox>(d, "SpinEdit2")->setValue(2);
            child<QSpinBox>(d, "SpinEdit3")->setValue(2000);
            refusal = messageAfter(child<QPushButton>(d, "BitBtn2"));
            afterRefusal = calendar->selectedDate();
            d->setWindowState(Qt::WindowMinimized);
            d->setWindowState(Qt::WindowNoState);
            nameAfterRestore = child<QLineEdit>(d, "Edit1")->text();
            click(d, "BitBtn3");
        });
        click(&p_->main, "Button1");
        QVERIFY(calendarHidden);
        QCOMPARE(shown, QDate(1930, 6, 15));
        QCOMPARE(refusal, u("'31/2/2000' is not a valid date"));
        QCOMPARE(afterRefusal, QDate(1930, 6, 15));
        QCOMPARE(nameAfterRestore, u("Пётр"));
    }

    // "Проблемы": the report file written where the form says, with the user's lines,
    // the chosen system, the program folder's longer names and at most seven comment
    // lines (lines 2 to 7 only when longer than one character).
    void problemReportFileLines() {
        const fs::path report = fs::path(folder_.filePath("support").toStdString()) / "Report.txt";
        p_->problems.setReportFile(report);
        QString confirmation, pathLabel;
        whenOpen<TProblemForm>([&](TProblemForm* form) {
            pathLabel = child<QLabel>(form, "ReportPathLabel")->text();
            type(child<QLineEdit>(form, "Edit1"), u("Иван Петров"));
            type(child<QLineEdit>(form, "Edit3"), "ivan@example.org");
            click(form, "RadioButton7");
            child<QPlainTextEdit>(form, "Memo1")->setPlainText(
                u("Не строится гороскоп\n\nx\nПосле ввода города\nок\n.\nСедьмая\nВосьмая\nДевятая"));
            confirmation = messageAfter(child<QPushButton>(form, "BitBtn1"));
        });
        click(&p_->main, "Button6");

        const QString path = QString::fromStdString(report.string());
        QVERIFY(pathLabel.contains(path));
        QVERIFY(confirmation.contains(path));
        const QStringList lines = fileLines(report);
        QVERIFY(lines.value(0).startsWith(u("Дата и время: ")));
        QCOMPARE(lines.mid(1, 6), (QStringList{u("Имя: Иван Петров"), "E-mail: ivan@example.org",
                                               u("Операционная система : Linux"), "-----------------", "",
                                               u("Каталоги и файлы программы:")}));
        const qsizetype comment = lines.indexOf(u("Комментарий:"));
        QVERIFY(comment > 7);
        const QStringList listing = lines.mid(7, comment - 7);
        for (const char* name : {"System", "Images", "Output", "Astro3.ttf"}) QVERIFY2(listing.contains(name), name);
        QVERIFY(!listing.contains("Help"));
        QCOMPARE(lines.mid(comment + 1),
                 (QStringList{u("Не строится гороскоп"), u("После ввода города"), u("ок"), u("Седьмая"), "",
                              u("--------  Конец файла отчета  --------")}));
    }
};

int main(int argc, char** argv) {
    // Qt WebEngine refuses to start as root unless its sandbox is off.
    if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    korv::InstallTextFontSubstitutes();
    GuiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gui_test.moc"
