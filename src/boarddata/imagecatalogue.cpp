// The one picture of the board drawing: the CPU socket, between the battery and JP4 to JP6.
#include "catalogues.h"

#include <iterator>

namespace {

// The picture is stretched into its box, so its own pixel size does not matter here.
// rank, name, left, top, width, height, picture
// clang-format off
constexpr ImageRow Images[] = {
    {208, "Image1", 4860, 3420, 1245, 1005, ":/pictures/socket.bmp"},
};
// clang-format on

static_assert(std::size(Images) == 1);

} // namespace

std::span<const ImageRow> imageCatalogue()
{
    return Images;
}
