#include "core/layout/cell_look.h"

#include "core/text/text_file.h"

namespace dz {

std::optional<int> integerSign(const std::string& text) {
    const auto value = parseInt32(text);
    if (!value) return std::nullopt;
    return *value > 0 ? 1 : *value < 0 ? -1 : 0;
}

std::optional<int> decimalSign(const std::string& text, char decimalSeparator) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    bool digits = false, nonZero = false, separator = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            nonZero |= c != '0';
        } else if (c == decimalSeparator && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    if (!nonZero) return 0;
    return negative ? -1 : 1;
}

CellLook cellLook(GridKind kind, int column, int row, const std::string& text, const std::string& row2Value,
                  char decimalSeparator) {
    CellLook look;
    const bool value = column == 1 && !text.empty();
    switch (kind) {
        case GridKind::People: {
            look.bold = column == 1;
            const auto row2 = integerSign(row2Value);
            if (row == 2 && row2 && *row2 < 0) {
                look.colour = LabelColour::Red;
            } else if (value) {
                const auto sign = integerSign(text);
                if (sign) look.colour = *sign > 0 ? LabelColour::Green : *sign == 0 ? LabelColour::Grey : LabelColour::White;
            }
            break;
        }
        case GridKind::Tick:
            if (value) {
                look.bold = true;
                const auto sign = decimalSign(text, decimalSeparator);
                if (sign) look.colour = *sign > 0 ? LabelColour::Green : *sign == 0 ? LabelColour::Grey : LabelColour::Red;
            }
            break;
        case GridKind::Costs:
            if (value) {
                look.bold = true;
                const auto sign = integerSign(text);
                if (sign && *sign == 0) look.colour = LabelColour::Grey;
            }
            break;
    }
    return look;
}

GridGeometry gridGeometry(GridKind kind) {
    switch (kind) {
        case GridKind::Tick:
            return {42, 122, 16, 2, 8};
        case GridKind::People:
            return {30, 120, 24, -1, 0};
        case GridKind::Costs:
            return {60, 152, 16, -1, 0};
    }
    return {64, 64, 16, -1, 0};
}

}  // namespace dz
