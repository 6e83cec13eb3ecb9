#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QPageSize>
#include <filesystem>
#include <functional>
#include <optional>

class QPushButton;
class QWebEngineView;

namespace korv::gui {

// The report viewer: Output/horoscop.html in an embedded browser, with printing and
// saving as PDF.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    void setProgramFolder(const std::filesystem::path& mainDir) { mainDir_ = mainDir; }
    // Window width for a screen of this width: 950 when wider than 800 pixels, else 770.
    static int widthForScreen(int screenWidth) { return screenWidth > 800 ? 950 : 770; }
    QWebEngineView* browser() const { return WebBrowser1; }
    // The page layout of a saved PDF: the paper of the user's locale (Letter where
    // inches rule, A4 elsewhere) or the given one, portrait, 15 mm margins.
    static QPageLayout pdfLayout(std::optional<QPageSize::PageSizeId> paper = std::nullopt);
    // Writes the loaded report as a PDF (text stays text); `done` gets whether it worked.
    // The file is made readable as the user's other new files are (the umask decides).
    void writePdf(const QString& file, const QPageLayout& layout, std::function<void(bool)> done);

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void FormActivate();
    void BitBtn1Click();  // "Напечатать"
    void BitBtn2Click();  // " Выйти"
    void SavePdfClick();  // "Сохранить PDF"

private:
    std::filesystem::path mainDir_;
    QWebEngineView* WebBrowser1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* SavePdfButton;
};

}  // namespace korv::gui
