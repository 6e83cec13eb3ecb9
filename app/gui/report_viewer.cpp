#include "app/gui/report_viewer.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "app/gui/gui_support.h"

namespace korv::gui {

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName("Form2");
    setWindowTitle(QString::fromUtf8("   Гороскоп "));
    setFont(arialFont(13, true));
    setWindowFlags(Qt::Window | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);

    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panel->setFixedHeight(45);
    BitBtn1 = new QPushButton(QString::fromUtf8("Напечатать"), panel);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(16, 8, 120, 29);
    BitBtn2 = new QPushButton(QString::fromUtf8(" Выйти"), panel);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(160, 8, 120, 29);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    SavePdfButton = new QPushButton(QString::fromUtf8("Сохранить PDF"), panel);
    SavePdfButton->setObjectName("SavePdfButton");
    SavePdfButton->setGeometry(304, 8, 140, 29);

    WebBrowser1 = new QWebEngineView(this);
    WebBrowser1->setObjectName("WebBrowser1");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(WebBrowser1, 1);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
    connect(SavePdfButton, &QPushButton::clicked, this, &TForm2::SavePdfClick);

    // Size from the screen: 950 wide (770 on small screens), the screen's height less 80.
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                          : QRect(0, 0, 1024, 768);
    resize(widthForScreen(screen.width()), screen.height() - 80);
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Each opening starts afresh; a window restored from minimised (a spontaneous show
    // event) keeps what the user has entered or scrolled to.
    if (!event->spontaneous()) FormActivate();
}

void TForm2::FormActivate() {
    // Centred each time; a missing report leaves the browser showing what it had.
    if (QScreen* s = screen()) move(s->geometry().center() - rect().center());
    const auto report = mainDir_ / "Output" / "horoscop.html";
    if (std::filesystem::exists(report))
        WebBrowser1->load(QUrl::fromLocalFile(QString::fromStdString(std::filesystem::absolute(report).string())));
}

void TForm2::BitBtn1Click() {
    auto* printer = new QPrinter(QPrinter::HighResolution);
    QPrintDialog dialog(printer, this);
    dialog.setWindowTitle(QString::fromUtf8("Печать гороскопа"));
    if (dialog.exec() != QDialog::Accepted) {
        delete printer;
        return;
    }
    // The page renders asynchronously; the printer lives until printing has finished.
    connect(WebBrowser1, &QWebEngineView::printFinished, this, [printer, this](bool ok) {
        if (!ok) showError(this, QString::fromUtf8("Не удалось напечатать гороскоп."));
        delete printer;
    }, Qt::SingleShotConnection);
    WebBrowser1->print(printer);
}

QPageLayout TForm2::pdfLayout(std::optional<QPageSize::PageSizeId> paper) {
    const QPageSize::PageSizeId size =
        paper ? *paper : QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
    return QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

void TForm2::writePdf(const QString& file, const QPageLayout& layout, std::function<void(bool)> done) {
    connect(WebBrowser1->page(), &QWebEnginePage::pdfPrintingFinished, this,
            [done](const QString& path, bool ok) {
#ifndef _WIN32
                if (ok) {
                    // The browser engine writes its files for the owner alone; a saved
                    // report is the user's document like any other.
                    const mode_t mask = umask(0);
                    umask(mask);
                    chmod(QFile::encodeName(path).constData(), 0666 & ~mask);
                }
#endif
                done(ok);
            },
            Qt::SingleShotConnection);
    WebBrowser1->page()->printToPdf(file, layout);
}

void TForm2::SavePdfClick() {
    const QString file = QFileDialog::getSaveFileName(this, QString::fromUtf8("Сохранить гороскоп в PDF"),
                                                      QString::fromUtf8("horoscop.pdf"), "PDF (*.pdf)");
    if (file.isEmpty()) return;
    writePdf(file, pdfLayout(), [this, file](bool ok) {
        if (!ok) showError(this, QString::fromUtf8("Не удалось записать файл ") + file);
        else QMessageBox::information(this, windowTitle().trimmed(), QString::fromUtf8("Гороскоп сохранён в файл\n") + file);
    });
}

void TForm2::BitBtn2Click() { accept(); }

}  // namespace korv::gui
