#pragma once

#include "formulare/seiten/HauptSeite.h"

class QLabel;

namespace ui {
class DBGrid;
class DBMemo;
class PageControl;
} // namespace ui

namespace fleet {

// The vehicle's memo, its documents and pictures.
class MemoSeite : public HauptSeite {
public:
    using HauptSeite::HauptSeite;
    void aufbauen() override;
    void betreten() override;

    // Picture and its panel text emptied.
    void BildLeeren();

    ui::PageControl *PageCtrlMemoBild = nullptr;
    ui::TabSheet *TabMemoMemo = nullptr, *TabMemoBild = nullptr;
    ui::DBMemo *EditDBMemo = nullptr;
    ui::DBGrid *DBGridBildinformationen = nullptr;
    QLabel *ImgBild = nullptr, *PanBild = nullptr;
};

} // namespace fleet
