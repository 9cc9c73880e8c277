#pragma once
// The move pad's step settings as the application keeps them. The application object implements it;
// the pad finds it through the running application and stores what the user typed into a step field.

class IStepSettings {
public:
    virtual ~IStepSettings() = default;

    // The setters only store; the application writes the steps to its profile at exit.
    virtual void SetZoomStep(int step) = 0;
    virtual void SetShiftStep(int step) = 0;
    virtual void SetRotateStep(int step) = 0;
};
