#include "tools/skingen/SkinModel.h"

namespace SkinGen {

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
