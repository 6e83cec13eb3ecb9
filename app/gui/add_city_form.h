#pragma once

#include <QDialog>

#include "app/gui/app_state.h"

class QLineEdit;
class QRadioButton;

namespace korv::gui {

class TInput2hForm;

// "   Добавить город": a city the atlas lacks, added to the chosen country's place file.
class TInput3hForm : public QDialog {
    Q_OBJECT
public:
    TInput3hForm(AppState& state, TInput2hForm* place);

public slots:
    void BitBtn1Click();  // " Продолжить"
    void BitBtn3Click();  // "   &Помощь"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();

    AppState& state_;
    TInput2hForm* place_;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
};

}  // namespace korv::gui
