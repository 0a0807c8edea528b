#pragma once

#include <vector>

#include <QString>
#include <QWidget>

namespace tb {

class DesignerCanvas;

namespace designer {

// A mark of the ruler: where it stands on the paper (mm), whether it is long, and its label.
struct RulerTick {
    double mm = 0;
    bool major = false;
    QString label;
};

// The marks between two places on the paper in the unit of option 4: 0 millimetres (labels in cm),
// 1 inches, 2 hundredths of an inch, 5 hundredths of a millimetre. Other values count as millimetres.
std::vector<RulerTick> rulerTicks(int unit, double fromMm, double toMm);

} // namespace designer

// A ruler along the top or the left of the canvas, following its zoom and scrolling.
class Ruler : public QWidget {
    Q_OBJECT
public:
    Ruler(Qt::Orientation orientation, int unit, DesignerCanvas *canvas, QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::Orientation orientation_;
    int unit_;
    DesignerCanvas *canvas_;
};

} // namespace tb
