#include "app/gui/about_form.h"

#include <QLabel>
#include <QPushButton>

#include "app/gui/gui_support.h"
#include "app/gui/help.h"

namespace korv::gui {

TAbout_Form::TAbout_Form(const std::filesystem::path& mainDir, QWidget* parent) : QDialog(parent), mainDir_(mainDir) {
    setObjectName("About_Form");
    setWindowTitle(QString::fromUtf8(" О программе"));
    setFixedSize(384, 262);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

    auto* product = new QLabel("Korvinaut 7", this);
    product->setObjectName("Label1");
    product->setFont(arialFont(19, true));
    product->setGeometry(24, 28, 336, 30);
    product->setAlignment(Qt::AlignCenter);

    auto* version = new QLabel(QString::fromUtf8("Версия ") + KORVINAUT_VERSION, this);
    version->setObjectName("Label2");
    version->setFont(arialFont(16));
    version->setGeometry(24, 70, 336, 24);
    version->setAlignment(Qt::AlignCenter);

    auto* notice = new QLabel(QString::fromUtf8("Расчет и толкование натального гороскопа.\n"
                                                "Свободная программа (GNU GPL 3 или более поздняя) "
                                                "для астрологов и любознательных читателей."),
                              this);
    notice->setObjectName("Label3");
    notice->setFont(arialFont(13));
    // Room for three lines: the second sentence wraps.
    notice->setGeometry(16, 104, 352, 54);
    notice->setAlignment(Qt::AlignCenter);
    notice->setWordWrap(true);

    // The program's own page about itself: licence, where the files are, support.
    auto* link = new QLabel(QString::fromUtf8("<a href=\"help:120\">Лицензия, файлы программы, поддержка</a>"), this);
    link->setObjectName("Label4");
    link->setFont(arialFont(13));
    link->setGeometry(24, 166, 336, 22);
    link->setAlignment(Qt::AlignCenter);
    connect(link, &QLabel::linkActivated, this,
            [this] { runGuarded(this, [&] { OpenHelpTopic(this, mainDir_, 120); }); });

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setGeometry(152, 208, 80, 28);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace korv::gui
