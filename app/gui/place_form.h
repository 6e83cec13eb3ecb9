#pragma once

#include <QDialog>
#include <filesystem>
#include <string>

#include "app/gui/app_state.h"
#include "input/atlas.h"
#include "input/place_selection.h"

class QCompleter;
class QLineEdit;
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

    // What is chosen, and the steps the add-city dialog takes on the same state.
    PlaceSelection& selection() { return selection_; }
    const std::filesystem::path& placeFilePath() const { return selection_.placeFilePath(); }
    bool countryChosen() const { return selection_.countryChosen(); }
    // Shows the chosen country's cities again (after a city was added).
    void showCities();

public slots:
    void RegionClick(int region);  // BitBtn5 .. BitBtn11
    void ListBox1Click();          // a country
    void ListBox2Click();          // a city
    void BitBtn1Click();           // " Продолжить"
    void BitBtn2Click();           // "  Отменить"
    void BitBtn3Click();           // "Добавить город"
    void BitBtn4Click();           // "   &Помощь"

    QLineEdit* searchField() const { return Search; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormActivate();
    void loadSearchIndex();
    void chooseFound(int index);  // index into found_

    AppState& state_;
    TInput3hForm* addCity_ = nullptr;
    PlaceSelection selection_{std::filesystem::path()};
    QListWidget* ListBox1;
    QListWidget* ListBox2;
    QLineEdit* Search;
    QCompleter* SearchCompleter;
    std::vector<AtlasCityRef> found_;  // every city of the atlas, for the search
    bool searchIndexLoaded_ = false;
};

}  // namespace korv::gui
