#include "runtime/Brushes.h"

#include <QImage>
#include <unordered_map>
#include <variant>

namespace rt {

namespace {

// A pattern is kept as an image: the table may outlive the application's pixmap support.
using BrushLook = std::variant<Colour, QImage>;

struct BrushTable {
    std::unordered_map<BrushHandle, BrushLook> brushes;
    BrushHandle lastHandle = 0;
};

BrushTable& table() {
    static BrushTable brushes;
    return brushes;
}

BrushHandle add(BrushLook look) {
    BrushTable& brushes = table();
    const BrushHandle handle = ++brushes.lastHandle;
    brushes.brushes.emplace(handle, std::move(look));
    return handle;
}

} // namespace

BrushHandle createSolidBrush(Colour colour) {
    return add(colour);
}

BrushHandle createPatternBrush(const QPixmap& picture) {
    return picture.isNull() ? 0 : add(picture.toImage());
}

bool deleteBrush(BrushHandle brush) {
    return table().brushes.erase(brush) > 0;
}

std::optional<QBrush> brushOf(BrushHandle brush) {
    const auto found = table().brushes.find(brush);
    if (found == table().brushes.end())
        return std::nullopt;
    if (const auto* colour = std::get_if<Colour>(&found->second))
        return QBrush(toQColor(*colour));
    return QBrush(std::get<QImage>(found->second));
}

int brushCount() {
    return int(table().brushes.size());
}

} // namespace rt
