#include "app/gui/help.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "common/error.h"
#include "common/text.h"

namespace korv::gui {

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.isLocalFile() && (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)) {
        QFile file(name.toLocalFile());
        if (!file.open(QIODevice::ReadOnly)) return {};
        const QByteArray bytes = file.readAll();
        return QString::fromStdString(cp1251ToUtf8(std::string_view(bytes.constData(), bytes.size())));
    }
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle(QString::fromUtf8("   Помощь"));
    back_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QString::fromUtf8("Назад"), this);
    back_->setObjectName("HelpBack");
    forward_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), QString::fromUtf8("Вперёд"), this);
    forward_->setObjectName("HelpForward");
    auto* close = new QPushButton(QString::fromUtf8("Закрыть"), this);
    close->setObjectName("HelpClose");
    for (QPushButton* b : {back_, forward_, close}) b->setAutoDefault(false);
    browser_ = new HelpBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addStretch(1);
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);
    resize(820, 640);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

HelpWindow* HelpWindow::forWindow(QWidget* asking) {
    static QPointer<HelpWindow> instance;
    QWidget* owner = asking ? asking->window() : nullptr;
    if (!instance) {
        instance = new HelpWindow(owner);
    } else if (instance->parentWidget() != owner) {
        const QRect place = instance->geometry();
        const bool shown = instance->isVisible();
        instance->setParent(owner, Qt::Window);
        instance->setGeometry(place);
        if (shown) instance->show();
    }
    return instance;
}

void HelpWindow::showPage(const std::filesystem::path& page) {
    browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(page.string())));
    show();
    raise();
    activateWindow();
}

void OpenHelpTopic(QWidget* parent, const std::filesystem::path& mainDir, int topic) {
    const auto page = std::filesystem::absolute(mainDir / "Help" / (std::to_string(topic) + ".html"));
    if (!std::filesystem::exists(page)) throw Error("Unable to open help file " + page.string());
    HelpWindow::forWindow(parent)->showPage(page);
}

}  // namespace korv::gui
