#pragma once

#include <QDialog>
#include <filesystem>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace korv::gui {

// "Проблемы": the user describes a problem; the form writes a support report file.
class TProblemForm : public QDialog {
    Q_OBJECT
public:
    // `mainDir`: the program folder the report lists, unless the saved settings
    // (QSettings "Korvinaut_7": rMainDir, rSysDir) name another.
    TProblemForm(std::filesystem::path& mainDir, std::filesystem::path& sysDir, QWidget* parent = nullptr);
    std::filesystem::path reportFile() const { return reportFile_; }
    // Another report file; the form's text names it.
    void setReportFile(const std::filesystem::path& file);

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void BitBtn1Click();  // "  Сформировать отчет"

private:
    std::filesystem::path& mainDir_;
    std::filesystem::path& sysDir_;
    std::filesystem::path reportFile_;
    QLabel* ReportPathLabel;
    QLabel* SendLabel;
    QLineEdit* Edit1;
    QLineEdit* Edit3;
    QButtonGroup* RadioGroup1;
    QPlainTextEdit* Memo1;
};

}  // namespace korv::gui
