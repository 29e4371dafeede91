// Design-time description of forms and controls: what a window holds before any code runs.
// Forms declare their controls once as a table of these rows; both hosts build from the same table.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sarnex::forms {

using Twips = int;  // 1440 to the inch

enum class ControlType { Label, TextBox, CheckBox, ComboBox, CommandButton, VScrollBar, Line };

enum class Alignment { Left = 0, Right = 1, Centre = 2 };

// A colour is either an RGB value or one of the system colours the design refers to.
struct Color {
    enum class Kind { Rgb, ButtonText, Highlight, WindowText };
    Kind kind = Kind::ButtonText;
    std::uint8_t r = 0, g = 0, b = 0;

    static constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return {Kind::Rgb, r, g, b}; }
    static constexpr Color System(Kind k) { return {k, 0, 0, 0}; }
    friend bool operator==(const Color&, const Color&) = default;
};

// Fonts always use the ANSI (Western) character set.
struct Font {
    std::string name = "MS Sans Serif";
    double points = 8.25;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

inline Font Arial(double points, int weight = 400, bool italic = false) { return {"Arial", points, weight, italic, false}; }
inline Font ArialBold(double points, bool italic = false) { return Arial(points, 700, italic); }

struct ControlDesign {
    ControlType type = ControlType::Label;
    std::string name;
    std::string caption;  // caption, or the design-time Text of a text box or combo box
    Twips left = 0, top = 0, width = 0, height = 0;
    int tabIndex = -1;  // Lines take no place in the focus order
    Font font{};
    Color foreColor = Color::System(Color::Kind::ButtonText);
    Alignment alignment = Alignment::Left;
    int maxLength = 0;     // text boxes: 0 = no limit
    int max = 32767;       // scroll bars (Min is 0, both steps 1)
    std::string toolTip;
    bool autoSize = false;  // labels sized to their text
    Twips x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // lines
    int borderWidth = 1;                  // lines, in pixels
};

enum class Border { Sizable, FixedDialog };

struct FormDesign {
    std::string name;
    std::string caption;
    Twips clientWidth = 0, clientHeight = 0;
    Border border = Border::Sizable;
    bool hasIcon = true;
    bool showInTaskbar = true;
    bool defaultPosition = true;  // else placed at left/top
    Twips left = 0, top = 0;
    Font font{};
    std::vector<ControlDesign> controls;

    // The row of the control of that name; throws when there is none.
    const ControlDesign& Control(std::string_view controlName) const {
        for (const ControlDesign& row : controls)
            if (row.name == controlName) return row;
        throw std::logic_error("form " + name + " has no control " + std::string(controlName));
    }
};

}  // namespace sarnex::forms
