#pragma once
// What a step field asks of the move panel that owns it: take the number the user left in the field.
// The panel implements it; the field finds it as its parent.

class CEditZoom;

class IStepFieldOwner {
public:
    virtual ~IStepFieldOwner() = default;
    // The panel reads the field's number and stores it as the matching step setting.
    virtual void OnStepFieldDone(CEditZoom* field) = 0;
};
