#include "app/gui/screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QWebEngineView>
#include <cstdio>

#include "app/gui/about_form.h"
#include "app/gui/add_city_form.h"
#include "app/gui/birth_data_form.h"
#include "app/gui/gui_support.h"
#include "app/gui/help.h"
#include "app/gui/main_window.h"
#include "app/gui/place_form.h"
#include "app/gui/problem_form.h"
#include "app/gui/report_viewer.h"
#include "common/text.h"
#include "input/example_birth.h"

namespace korv::gui {
namespace {

// Waits `ms` milliseconds with the event loop running, so windows paint.
void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget& window, const QString& folder, const char* name) {
    settle(400);
    // The window with its frame as the window manager draws it (without one, the frame
    // is the window itself): the part of the screen the window covers.
    const QRect frame = window.frameGeometry();
    const QPixmap pixmap = window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const QString file = QDir(folder).filePath(QString(name) + ".png");
    const bool ok = !pixmap.isNull() && pixmap.save(file);
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "saved" : "could not save", file.toUtf8().constData());
    return ok;
}

void selectEntry(QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == text) {
            list->item(i)->setSelected(true);
            list->scrollToItem(list->item(i));
            return;
        }
}

bool runSequence(AppState& state, Forms f, const QString& folder) {
    bool ok = true;
    QDir().mkpath(folder);
    f.main.show();
    settle(300);
    // The dialogs first: opening the birth data dialog empties the birth record.
    // The example person (as ExampleBirthRecord has her), with the calendar open on her
    // birth month, so the picture is the same whatever the day it is taken.
    f.input.show();
    f.input.findChild<QLineEdit*>("Edit1")->setText(QString::fromUtf8("Анна Смирнова"));
    const int values[] = {17, 5, 1990, 14, 30};
    for (int i = 0; i < 5; ++i) f.input.findChild<QSpinBox*>(QString("SpinEdit%1").arg(i + 1))->setValue(values[i]);
    f.input.findChild<QRadioButton*>("RadioWoman")->setChecked(true);
    f.input.findChild<QCheckBox*>("CheckBox1")->setChecked(true);
    f.input.findChild<QPushButton*>("BitBtn2")->click();
    ok &= save(f.input, folder, "birth-data");
    f.input.hide();

    f.place.show();
    f.place.RegionClick(0);
    selectEntry(f.place.findChild<QListWidget*>("ListBox1"), QString::fromUtf8("Россия (Москва)"));
    selectEntry(f.place.findChild<QListWidget*>("ListBox2"), QString::fromUtf8("Москва"));
    ok &= save(f.place, folder, "place-selection");

    f.addCity.show();
    f.addCity.findChild<QLineEdit*>("Edit1")->setText(QString::fromUtf8("Звенигород"));
    f.addCity.findChild<QLineEdit*>("Edit2")->setText("36");
    f.addCity.findChild<QLineEdit*>("Edit3")->setText("51");
    f.addCity.findChild<QLineEdit*>("Edit4")->setText("55");
    f.addCity.findChild<QLineEdit*>("Edit5")->setText("44");
    ok &= save(f.addCity, folder, "add-city");
    f.addCity.hide();
    f.place.hide();

    state.BirthRecord = ExampleBirthRecord(state.folders.SysDir);
    state.flags.DataConfirmed = true;
    if (!f.main.ComputeAndDrawChart()) return false;
    ok &= save(f.main, folder, "main-window");

    if (!f.main.MakeReport()) return false;
    QEventLoop loaded;
    QObject::connect(f.viewer.browser(), &QWebEngineView::loadFinished, &loaded, &QEventLoop::quit);
    QTimer::singleShot(15000, &loaded, &QEventLoop::quit);
    f.viewer.show();
    loaded.exec();
    settle(1500);
    ok &= save(f.viewer, folder, "report-viewer");
    f.viewer.hide();

    f.problems.show();
    ok &= save(f.problems, folder, "problem-report");
    f.problems.hide();
    f.about.show();
    ok &= save(f.about, folder, "about");
    f.about.hide();

    OpenHelpTopic(&f.main, state.folders.MainDir, 100);
    HelpWindow* help = HelpWindow::forWindow(&f.main);
    ok &= save(*help, folder, "help");
    help->hide();
    return ok;
}

}  // namespace

void StartScreenshots(AppState& state, Forms forms, const QString& folder) {
    QTimer::singleShot(0, [&state, forms, folder] {
        bool ok = false;
        runGuarded(nullptr, [&] { ok = runSequence(state, forms, folder); });
        QApplication::exit(ok ? 0 : 1);
    });
}

}  // namespace korv::gui
