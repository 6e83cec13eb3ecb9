#pragma once

#include <QDialog>
#include <filesystem>

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
