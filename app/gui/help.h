// The program's help: HTML pages Help/<topic>.html in the program folder (Windows-1251),
// shown in one help window for the whole program, a plain text browser with Back and
// Forward; links between the pages work, Esc closes it. Topics: 10 main window,
// 50 birth data, 100 place selection, 110 add city, 120 about the program.
#pragma once

#include <QDialog>
#include <QTextBrowser>
#include <filesystem>

class QPushButton;

namespace korv::gui {

// A text browser that reads the help's Windows-1251 pages (Qt would take them for UTF-8).
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
};

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // The program's one help window, made on first use. It belongs to the window that
    // asks (a dialog open modally blocks every window but its own children), and moves
    // to the next one that asks.
    static HelpWindow* forWindow(QWidget* asking);
    void showPage(const std::filesystem::path& page);
    QTextBrowser* browser() const { return browser_; }

private:
    explicit HelpWindow(QWidget* parent);
    HelpBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
};

// Opens the topic's page; a missing page raises "Unable to open help file <full path>".
void OpenHelpTopic(QWidget* parent, const std::filesystem::path& mainDir, int topic);

}  // namespace korv::gui
