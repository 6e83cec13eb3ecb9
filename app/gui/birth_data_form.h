#pragma once

#include <QDialog>

#include "app/gui/app_state.h"

class QButtonGroup;
class QCalendarWidget;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace korv::gui {

class TInput2hForm;

// "   Ввод данных": name, sex, date, time and summer time; then the place dialog.
class TInput1hForm : public QDialog {
    Q_OBJECT
public:
    explicit TInput1hForm(AppState& state, QWidget* parent = nullptr);
    void setPlaceForm(TInput2hForm* place) { place_ = place; }

    // The explanation of summer time, line by line.
    static QStringList explanationLines();

    // Esc and "   Отменить" alike: no chart.
    void reject() override;

public slots:
    void BitBtn1Click();  // "Продолжить"
    void BitBtn3Click();  // "   Отменить"
    void BitBtn4Click();  // "  Помощь"
    void BitBtn2Click();  // " Календарь"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    // After a place with a zone history: summer time as the atlas found it, or as the
    // box says when the user keeps it (asked only when the two differ).
    void settleSummerTime();

    AppState& state_;
    TInput2hForm* place_ = nullptr;
    QLineEdit* Edit1;
    QSpinBox* SpinEdit1;
    QSpinBox* SpinEdit2;
    QSpinBox* SpinEdit3;
    QSpinBox* SpinEdit4;
    QSpinBox* SpinEdit5;
    QButtonGroup* RadioGroup2;
    QCheckBox* CheckBox1;
    QCalendarWidget* MonthCalendar1;
    QPlainTextEdit* Memo1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
};

}  // namespace korv::gui
