// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view of the current network on the "Cómo Aprende" tab. It reads the
// network and the patterns only while it is on screen: when asked to
// refresh and each time it is shown. A view behind another tab or page
// costs a run nothing, and whatever changed meanwhile (a step applied, a
// new network) it shows once it comes to the front.

#include <QWidget>

struct WorkState;
class TRedNeuronal;

class NetworkView : public QWidget {
    Q_OBJECT

public:
    explicit NetworkView(QWidget* parent = nullptr);

    // What the view shows; both outlive it.
    void SetSource(const TRedNeuronal& network, const WorkState& state);
    // The network or the patterns may have changed: read them again if the
    // view is visible.
    void Refresh();

protected:
    // Takes a copy of what it shows from the network and the patterns; it
    // must only read them.
    virtual void Recompute(const TRedNeuronal& network, const WorkState& state) = 0;
    void showEvent(QShowEvent* event) override;

private:
    const TRedNeuronal* network_ = nullptr;
    const WorkState* state_ = nullptr;
};
