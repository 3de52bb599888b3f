#pragma once
// What a training run needs of the error chart, and nothing more.

class ChartAdapter {
public:
    virtual ~ChartAdapter() = default;

    // Removes every point.
    virtual void Clear() = 0;

    // Adds the point (number of points held, y) after all others. Cheap: it
    // stores the point and only marks the chart for repainting, which happens
    // when window messages are next processed.
    virtual void Append(double y) = 0;

    // Shows every point held as one line, both axes scaled to the data.
    virtual void Draw() = 0;
};
