#pragma once

#include <QDialog>

namespace korv::gui {

// The about box: product, version, the maker's notice and a link.
class TAbout_Form : public QDialog {
    Q_OBJECT
public:
    explicit TAbout_Form(QWidget* parent = nullptr);
};

}  // namespace korv::gui
