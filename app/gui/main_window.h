#pragma once

#include <QImage>
#include <QWidget>

#include "app/gui/app_state.h"

class QLabel;
class QPushButton;

namespace korv::gui {

class TInput1hForm;
class TAbout_Form;
class TForm2;
class TProblemForm;

// The main window: the chart wheel on the left, the commands on a panel on the right.
class TZKorvinautForm : public QWidget {
    Q_OBJECT
public:
    explicit TZKorvinautForm(AppState& state, QWidget* parent = nullptr);
    void setForms(TInput1hForm* input, TAbout_Form* about, TForm2* viewer, TProblemForm* problems);

    const QImage& picture() const { return image_; }
    QPushButton* analysisButton() const { return Button4; }
    // Whether the wheel shown belongs to the data last entered (false once an entry was
    // cancelled or failed: the old wheel stays, dimmed).
    bool chartIsCurrent() const { return chartCurrent_; }

    static QString initialCaption();

    // The two halves of the commands without their dialogs: the chart of the birth record
    // in the window (true when it completed), and the report files of the last chart.
    bool ComputeAndDrawChart();
    bool MakeReport();

public slots:
    void Button1Click();  // "Ввод данных": the chart run
    void Button4Click();  // "Анализ": the report run
    void Button8Click();  // "О программе"
    void Button6Click();  // "Проблемы"
    void Button7Click();  // "Помощь"
    void Button5Click();  // "Выход"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();  // the start-up steps, on the first showing only
    void showPicture();
    void setChartCurrent(bool current);

    AppState& state_;
    bool started_ = false;
    bool chartCurrent_ = true;
    bool chartDrawn_ = false;
    QImage image_;
    QLabel* Image1;
    QPushButton* Button1;
    QPushButton* Button4;
    QPushButton* Button8;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button5;
    TInput1hForm* input_ = nullptr;
    TAbout_Form* about_ = nullptr;
    TForm2* viewer_ = nullptr;
    TProblemForm* problems_ = nullptr;
};

}  // namespace korv::gui
