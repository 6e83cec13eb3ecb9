#pragma once

#include <QDialog>
#include <filesystem>
#include <string>

#include "app/gui/app_state.h"

class QListWidget;
class QPushButton;

namespace korv::gui {

class TInput3hForm;

// "   Выбор  региона,  страны  и  города ": region, country and city of the birth place.
class TInput2hForm : public QDialog {
    Q_OBJECT
public:
    explicit TInput2hForm(AppState& state, QWidget* parent = nullptr);
    void setAddCityForm(TInput3hForm* addCity) { addCity_ = addCity; }

    const std::filesystem::path& placeFilePath() const { return PlaceFilePath; }
    bool countryChosen() const { return countryChosen_; }
    // The selected country entry (Windows-1251, 30 characters), empty when none.
    std::string selectedCountry() const;

public slots:
    void RegionClick(int region);  // BitBtn5 .. BitBtn11
    void ListBox1Click();          // a country
    void ListBox2Click();          // a city
    void BitBtn1Click();           // " Продолжить"
    void BitBtn2Click();           // "  Отменить"
    void BitBtn3Click();           // "Добавить город"
    void BitBtn4Click();           // "   &Помощь"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();

    AppState& state_;
    TInput3hForm* addCity_ = nullptr;
    std::filesystem::path PlaceFilePath;
    bool regionChosen_ = false;
    bool countryChosen_ = false;
    bool cityChosen_ = false;
    QListWidget* ListBox1;
    QListWidget* ListBox2;
};

}  // namespace korv::gui
