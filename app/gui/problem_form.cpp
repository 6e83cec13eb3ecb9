#include "app/gui/problem_form.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

#include "app/gui/gui_support.h"
#include "app/problem_report.h"
#include "common/settings.h"

#include <QShowEvent>

namespace korv::gui {
namespace {

// Where the report goes: the support address of System/set.dat, when this copy of the
// program has one (the shipped set.dat leaves it to whoever distributes the program).
QString sendLine(const std::filesystem::path& sysDir) {
    std::string address;
    try {
        address = ReadSettings(sysDir / "set.dat").SupportAddress;
    } catch (const std::exception&) {
    }
    if (!address.empty()) return QString::fromUtf8("Отправьте этот файл разработчикам на E-mail: ") + fromCp(address);
    return QString::fromUtf8("Отправьте этот файл тому, кто поддерживает Вашу копию программы "
                             "(адрес поддержки задаётся в System/set.dat; см. справку «О программе»)");
}

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h) {
    auto* l = new QLabel(text, parent);
    l->setFont(arialFont(15));
    l->setGeometry(x, y, w, h);
    return l;
}

}  // namespace

TProblemForm::TProblemForm(std::filesystem::path& mainDir, std::filesystem::path& sysDir, QWidget* parent)
    : QDialog(parent), mainDir_(mainDir), sysDir_(sysDir), reportFile_(DefaultProblemReportPath()) {
    setObjectName("ProblemForm");
    setWindowTitle(QString::fromUtf8("   Возможные проблемы и их решение"));
    setFixedSize(810, 610);
    setBackground(this, QColor(217, 234, 217));
    setFont(arialFont(15));  // the buttons too, like the texts and fields

    label(this, QString::fromUtf8("Заполните, пожалуйста, все поля, укажите операционную систему "
                                  "и нажмите кнопку \"Сформировать отчет\"."),
          16, 10, 780, 20);
    ReportPathLabel = label(this, QString(), 16, 32, 780, 20);
    ReportPathLabel->setObjectName("ReportPathLabel");
    setReportFile(reportFile_);
    SendLabel = label(this, sendLine(sysDir_), 16, 54, 780, 20);
    SendLabel->setObjectName("SendLabel");
    auto* send = SendLabel;
    send->setStyleSheet("color: grey; font-weight: bold;");
    label(this, QString::fromUtf8("Вы получите ответ и рекомендации по восстановлению работы программы. "), 16, 76,
          780, 20);

    const QString fieldStyle = "background: rgb(255, 253, 225);";
    label(this, QString::fromUtf8("Ваше имя"), 16, 110, 200, 20);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setFont(arialFont(15));
    Edit1->setStyleSheet(fieldStyle);
    Edit1->setGeometry(16, 132, 360, 26);
    label(this, QString::fromUtf8("Ваш E-mail"), 16, 166, 200, 20);
    Edit3 = new QLineEdit(this);
    Edit3->setObjectName("Edit3");
    Edit3->setFont(arialFont(15));
    Edit3->setStyleSheet(fieldStyle);
    Edit3->setGeometry(16, 188, 360, 26);

    auto* group = new QGroupBox(QString::fromUtf8(" Операционная система "), this);
    group->setObjectName("RadioGroup1");
    group->setFont(arialFont(15));
    group->setGeometry(410, 106, 380, 190);
    RadioGroup1 = new QButtonGroup(this);
    const auto& systems = ProblemReportSystems();
    for (int i = 0; i < static_cast<int>(systems.size()); ++i) {
        auto* button = new QRadioButton(QString::fromStdString(systems[i]), group);
        button->setObjectName(QString("RadioButton%1").arg(i));
        button->setGeometry(12 + (i / 5) * 180, 26 + (i % 5) * 30, 170, 26);
        RadioGroup1->addButton(button, i);
    }

    label(this, QString::fromUtf8("Ваш комментарий, вопрос:  "), 16, 300, 400, 20);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setFont(arialFont(15, true));
    Memo1->setStyleSheet(fieldStyle + " color: grey;");
    Memo1->setGeometry(16, 322, 776, 220);

    auto* make = new QPushButton(QString::fromUtf8("  Сформировать отчет"), this);
    make->setObjectName("BitBtn1");
    make->setDefault(true);
    make->setGeometry(16, 560, 220, 32);
    auto* close = new QPushButton(QString::fromUtf8("Закрыть"), this);
    close->setObjectName("BitBtn2");
    close->setGeometry(252, 560, 140, 32);
    connect(make, &QPushButton::clicked, this, &TProblemForm::BitBtn1Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TProblemForm::setReportFile(const std::filesystem::path& file) {
    reportFile_ = file;
    ReportPathLabel->setText(QString::fromUtf8("Программа сформирует отчет и разместит его в файле ") +
                             QString::fromStdString(file.string()) + "    ");
}

void TProblemForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SendLabel->setText(sendLine(sysDir_));  // the program folder is known by now
}

void TProblemForm::BitBtn1Click() {
    const bool written = runGuarded(this, [&] {
        // Saved folder values (the registry on Windows, a settings file elsewhere) win.
        QSettings settings("Korvinaut_7");
        if (settings.contains("rMainDir")) mainDir_ = settings.value("rMainDir").toString().toStdString();
        if (settings.contains("rSysDir")) sysDir_ = settings.value("rSysDir").toString().toStdString();

        ProblemReportInput in;
        const QLocale locale = QLocale::system();
        const QDateTime now = QDateTime::currentDateTime();
        in.dateTime = toCp(locale.toString(now.date(), QLocale::ShortFormat) + " " +
                           locale.toString(now.time(), QLocale::LongFormat));
        in.name = toCp(Edit1->text());
        in.email = toCp(Edit3->text());
        in.systemIndex = RadioGroup1->checkedId();
        for (const QString& line : Memo1->toPlainText().split('\n')) in.commentLines.push_back(toCp(line));
        WriteProblemReport(reportFile_, mainDir_, in);

        QMessageBox::information(
            this, "Korvinaut 7",
            QString::fromUtf8("  Отчет сформирован и записан в файл ") + QString::fromStdString(reportFile_.string()) +
                "   " + sendLine(sysDir_) +
                QString::fromUtf8("   Вы получите ответ и рекомендации по восстановлению работы программы.  "));
    });
    // A failed report keeps the form open with what the user typed.
    if (written) accept();
}

}  // namespace korv::gui
