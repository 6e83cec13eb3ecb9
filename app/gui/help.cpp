#include "app/gui/help.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "common/error.h"

namespace korv::gui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), view_(new QWebEngineView(this)) {
    setObjectName("HelpWindow");
    setWindowTitle(QString::fromUtf8("   Помощь"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    resize(820, 640);
}

void HelpWindow::showPage(const std::filesystem::path& page) {
    view_->load(QUrl::fromLocalFile(QString::fromStdString(page.string())));
    show();
    raise();
    activateWindow();
}

void OpenHelpTopic(QWidget* parent, const std::filesystem::path& mainDir, int topic) {
    const auto page = std::filesystem::absolute(mainDir / "Help" / (std::to_string(topic) + ".html"));
    if (!std::filesystem::exists(page)) throw Error("Unable to open help file " + page.string());
    // A window of its own, a child of the asking window so a modal dialog lets it be used.
    auto* window = new HelpWindow(parent ? parent->window() : nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showPage(page);
}

}  // namespace korv::gui
