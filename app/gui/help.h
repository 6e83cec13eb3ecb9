// The program's help: HTML pages Help/<topic>.html in the program folder, shown in a
// help window of the program's own. Topics: 10 main window, 50 birth data,
// 100 place selection, 110 add city.
#pragma once

#include <QDialog>
#include <filesystem>

class QWebEngineView;

namespace korv::gui {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showPage(const std::filesystem::path& page);

private:
    QWebEngineView* view_;
};

// Opens the topic's page; a missing page raises "Unable to open help file <full path>".
void OpenHelpTopic(QWidget* parent, const std::filesystem::path& mainDir, int topic);

}  // namespace korv::gui
