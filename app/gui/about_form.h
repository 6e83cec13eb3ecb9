#pragma once

#include <QDialog>
#include <filesystem>

namespace korv::gui {

// The about box: product, version, the maker's notice and a link to the help page about
// the program (licence, where the files are, support), found in the program folder.
class TAbout_Form : public QDialog {
    Q_OBJECT
public:
    explicit TAbout_Form(const std::filesystem::path& mainDir, QWidget* parent = nullptr);

private:
    const std::filesystem::path& mainDir_;  // the program folder, known once the program has started
};

}  // namespace korv::gui
