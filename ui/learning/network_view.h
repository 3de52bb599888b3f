#pragma once
// A view of the current network on the "Cómo Aprende" tab. It reads the
// network and the patterns only when asked to refresh, and then only while
// it is on screen: a view behind another tab or page costs a run nothing,
// and catches up when it is shown.

#include <QWidget>

struct EstadoTrabajo;
class TRedNeuronal;

class NetworkView : public QWidget {
    Q_OBJECT

public:
    explicit NetworkView(QWidget* parent = nullptr);

    // What the view shows; both outlive it.
    void SetSource(const TRedNeuronal& red, const EstadoTrabajo& estado);
    // The network or the patterns may have changed: read them again now if
    // the view is visible, else when it next shows.
    void Refresh();

protected:
    // Takes a copy of what it shows from the network and the patterns; it
    // must only read them.
    virtual void Recompute(const TRedNeuronal& red, const EstadoTrabajo& estado) = 0;
    void showEvent(QShowEvent* event) override;

private:
    const TRedNeuronal* red_ = nullptr;
    const EstadoTrabajo* estado_ = nullptr;
    bool stale_ = true;
};
