#include "tools/skingen/SkinModel.h"

#include "tools/skingen/Outline.h"

namespace SkinGen {

SkinButton MakeButton(std::string table, std::vector<ButtonState> states, QPoint position, Outline shape,
                      Outline hit, FacePainter paint) {
    SkinButton button;
    button.tableName = std::move(table);
    button.states = std::move(states);
    button.position = position;
    button.shape = std::move(shape);
    button.hit = std::move(hit);
    const QRect bounds = Bounds(button.shape) | Bounds(button.hit);
    button.bitmapSize = QSize(bounds.right(), bounds.bottom());
    button.paint = std::move(paint);
    return button;
}

std::vector<ButtonState> PushStates(const std::string& base) {
    return {{base + "U", {}}, {base + "D", {.pressed = true}}, {base + "F", {.hover = true}}};
}

std::vector<ButtonState> PushStatesWithX(const std::string& base) {
    std::vector<ButtonState> states = PushStates(base);
    states.push_back({base + "X", {.disabled = true}});
    return states;
}

std::vector<ButtonState> RadioStates(const std::string& base) {
    return {{base + "UU", {}},
            {base + "UF", {.hover = true}},
            {base + "DU", {.checked = true}},
            {base + "DF", {.hover = true, .checked = true}}};
}

std::vector<ButtonState> CheckStates(const std::string& base) {
    return {{base + "U", {}},
            {base + "D", {.checked = true}},
            {base + "UF", {.hover = true}},
            {base + "DF", {.hover = true, .checked = true}}};
}

} // namespace SkinGen
