// Table rows shared by the small notice windows.
#pragma once

#include <string>

#include "platform/forms/design.h"

namespace sarnex::notices {

inline forms::ControlDesign ButtonRow(std::string name, std::string caption, int l, int t, int w, int h, int tab,
                                      forms::Font font, std::string tip = {}) {
    return {.type = forms::ControlType::CommandButton, .name = std::move(name), .caption = std::move(caption),
            .left = l, .top = t, .width = w, .height = h, .tabIndex = tab, .font = std::move(font),
            .toolTip = std::move(tip)};
}

inline forms::ControlDesign LabelRow(std::string name, std::string caption, int l, int t, int w, int h, int tab,
                                     forms::Font font, forms::Alignment align = forms::Alignment::Left) {
    return {.type = forms::ControlType::Label, .name = std::move(name), .caption = std::move(caption), .left = l,
            .top = t, .width = w, .height = h, .tabIndex = tab, .font = std::move(font), .alignment = align};
}

// The big red product name that heads the driver's notices, sized to its text.
inline forms::ControlDesign TitleRow(std::string name, int l, int tab) {
    auto row = LabelRow(std::move(name), "Sarnex", l, 120, 3585, 735, tab, forms::ArialBold(32.25, true));
    row.foreColor = forms::Color::Rgb(255, 0, 0);
    row.autoSize = true;
    return row;
}

}  // namespace sarnex::notices
