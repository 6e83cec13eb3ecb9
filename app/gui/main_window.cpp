#include "app/gui/main_window.h"

#include <QApplication>
#include <QFrame>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "app/gui/about_form.h"
#include "app/gui/birth_data_form.h"
#include "app/gui/gui_support.h"
#include "app/gui/help.h"
#include "app/gui/problem_form.h"
#include "app/gui/report_viewer.h"
#include "astro/chart_computation.h"
#include "chart/qt/fonts.h"
#include "chart/qt/wheel_image.h"
#include "chart/wheel.h"
#include "common/error.h"
#include "report/report_run.h"

namespace korv::gui {
namespace {

// The hourglass for the length of a command, the arrow again at its end, whatever happens.
class HourglassCursor {
public:
    HourglassCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassCursor() {
        while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    }
};

}  // namespace

QString TZKorvinautForm::initialCaption() {
    return QString::fromUtf8("  Программа расчета и анализа персонального гороскопа \"Korvinaut 7\"");
}

TZKorvinautForm::TZKorvinautForm(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    // Fixed client area 942 x 626 (950 x 660 with the frame), centred, Arial.
    setObjectName("ZKorvinautForm");
    setWindowTitle(initialCaption());
    setFixedSize(942, 626);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setFont(arialFont(13));

    image_ = QImage(kChartPictureWidth, kChartPictureHeight, QImage::Format_RGB32);
    image_.fill(Qt::white);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(0, 0, kChartPictureWidth, kChartPictureHeight);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(942 - 165, 0, 165, 626);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    setBackground(panel, QColor(166, 202, 240));
    panel->setFont(arialFont(15, true));

    auto makeButton = [&](const char* name, const char* caption, int top, int height = 29) {
        auto* b = new QPushButton(QString::fromUtf8(caption), panel);
        b->setObjectName(name);
        b->setGeometry(7, top, 150, height);
        b->setFont(arialFont(15, true));
        // Grey captions, and a paler grey when the command is not available, so that a
        // disabled "Анализ" looks disabled.
        QPalette p = b->palette();
        p.setColor(QPalette::Active, QPalette::ButtonText, QColor(128, 128, 128));
        p.setColor(QPalette::Inactive, QPalette::ButtonText, QColor(128, 128, 128));
        p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(200, 200, 200));
        b->setPalette(p);
        return b;
    };
    Button1 = makeButton("Button1", "Ввод данных", 19);
    Button4 = makeButton("Button4", "Анализ", 55);
    Button8 = makeButton("Button8", "О программе", 92, 30);
    auto* bevel = new QFrame(panel);
    bevel->setObjectName("Bevel1");
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel->setGeometry(7, 143, 150, 4);
    Button6 = makeButton("Button6", "Проблемы", 239);
    Button7 = makeButton("Button7", "Помощь", 275);
    Button5 = makeButton("Button5", "Выход", 312);
    // No chart yet: a report needs a completed chart run.
    Button4->setEnabled(false);
    Button4->setToolTip(QString::fromUtf8("Сначала введите данные: гороскоп составляется по последней карте"));

    connect(Button1, &QPushButton::clicked, this, &TZKorvinautForm::Button1Click);
    connect(Button4, &QPushButton::clicked, this, &TZKorvinautForm::Button4Click);
    connect(Button8, &QPushButton::clicked, this, &TZKorvinautForm::Button8Click);
    connect(Button6, &QPushButton::clicked, this, &TZKorvinautForm::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TZKorvinautForm::Button7Click);
    connect(Button5, &QPushButton::clicked, this, &TZKorvinautForm::Button5Click);
    showPicture();

    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
}

void TZKorvinautForm::setForms(TInput1hForm* input, TAbout_Form* about, TForm2* viewer, TProblemForm* problems) {
    input_ = input;
    about_ = about;
    viewer_ = viewer;
    problems_ = problems;
}

void TZKorvinautForm::showPicture() { Image1->setPixmap(QPixmap::fromImage(image_)); }

void TZKorvinautForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (started_) return;
    started_ = true;
    FormActivate();
}

void TZKorvinautForm::FormActivate() {
    state_.folders = ProgramFolders::fromWorkingDirectory();
    const QString fontMessage = InstallAstroFont(state_.folders.MainDir);
    if (!fontMessage.isEmpty()) showError(this, fontMessage);
    runGuarded(this, [&] {
        const auto background = state_.folders.images() / "04.bmp";
        QImage picture;
        if (!picture.load(QString::fromStdString(background.string()))) throwFileError("File not found", background);
        image_ = picture.convertToFormat(QImage::Format_RGB32);
        showPicture();
        state_.settings = ReadSettings(state_.folders.SysDir / "set.dat");
        Button4->setEnabled(false);
    });
    QGuiApplication::restoreOverrideCursor();
}

void TZKorvinautForm::Button1Click() {
    Button4->setEnabled(false);
    if (input_) input_->exec();  // the dialog shows the arrow cursor
    if (!state_.flags.DataConfirmed) {
        // The wheel of the earlier chart stays, dimmed: it is not the chart of what was
        // just entered, and "Анализ" waits for a completed entry.
        setChartCurrent(false);
        return;
    }
    ComputeAndDrawChart();
}

void TZKorvinautForm::setChartCurrent(bool current) {
    chartCurrent_ = current || !chartDrawn_;
    if (chartCurrent_) {
        Image1->setGraphicsEffect(nullptr);
        return;
    }
    auto* dim = new QGraphicsOpacityEffect(Image1);
    dim->setOpacity(0.35);
    Image1->setGraphicsEffect(dim);
}

bool TZKorvinautForm::ComputeAndDrawChart() {
    HourglassCursor hourglass;
    Button4->setEnabled(false);
    const TInData& b = state_.BirthRecord;
    setWindowTitle(QString::fromUtf8(" Korvinaut 7   ") + fromCp(b.name) + " " + fromCp(b.dateText) + " " +
                   fromCp(b.timeText) + " " + fromCp(b.city) + "  " + QString::fromUtf8(ClockSummary(b)));
    const bool done = runGuarded(this, [&] {
        if (state_.pluto.path() != state_.folders.SysDir / "pluto.sys")
            state_.pluto = PlutoTable(state_.folders.SysDir / "pluto.sys");
        ComputeChart(state_.BirthRecord, state_.chart, state_.engine, state_.pluto);
        // The wheel is drawn over the picture the window holds (it clears it to white first).
        image_ = RenderChartWheel(state_.chart, image_.width(), image_.height(), image_);
        showPicture();
        chartDrawn_ = true;
    });
    setChartCurrent(done);
    if (done) Button4->setEnabled(true);
    return done;
}

void TZKorvinautForm::Button4Click() {
    if (MakeReport() && viewer_) viewer_->exec();
}

bool TZKorvinautForm::MakeReport() {
    std::vector<std::string> warnings;
    bool done = false;
    {
        HourglassCursor hourglass;
        done = runGuarded(this, [&] {
            const ReportRunInput input{state_.folders, state_.BirthRecord, state_.chart, state_.settings};
            warnings = RunReport(input, [&](const std::filesystem::path& bmp) { SaveWheelImage(image_, bmp); }).warnings;
        });
    }
    if (done && !warnings.empty()) {
        // The report is written; damaged library files only lost their own fragments.
        QString list;
        for (const std::string& w : warnings) list += QString::fromStdString(w) + "\n";
        QMessageBox box(QMessageBox::Warning, QString::fromUtf8("Библиотека текстов"),
                        QString::fromUtf8("Гороскоп составлен, но в файлах библиотеки текстов есть ошибки; "
                                          "фрагменты с ошибками могли выпасть из текста или сократиться."),
                        QMessageBox::Ok, this);
        box.setDetailedText(list);
        box.exec();
    }
    if (done && viewer_) viewer_->setProgramFolder(state_.folders.MainDir);
    return done;
}

void TZKorvinautForm::Button8Click() {
    if (about_) about_->exec();
}

void TZKorvinautForm::Button6Click() {
    if (problems_) problems_->exec();
}

void TZKorvinautForm::Button7Click() {
    runGuarded(this, [&] { OpenHelpTopic(this, state_.folders.MainDir, 10); });
}

void TZKorvinautForm::Button5Click() { close(); }

}  // namespace korv::gui
