#include "render/raster/picture_codecs.h"

#include "render/raster/pixel_layout.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace poremi {

namespace {

struct MemoryInput {
    const char* data;
    qsizetype size;
    qsizetype position = 0;
};

int readFromMemory(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* input = static_cast<MemoryInput*>(gif->UserData);
    const qsizetype n = std::min<qsizetype>(length, input->size - input->position);
    std::memcpy(buffer, input->data + input->position, size_t(n));
    input->position += n;
    return int(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// Reads the header and the logical screen descriptor.
std::unique_ptr<GifFileType, GifCloser> openGif(MemoryInput& input)
{
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&input, readFromMemory, &error));
    if (!gif)
        throw PictureDecodeError();
    return gif;
}

QList<QRgb> colorTableOf(const ColorMapObject* map, int transparent)
{
    QList<QRgb> table(256, qRgb(0, 0, 0));
    if (map)
        for (int i = 0; i < std::min(map->ColorCount, 256); ++i)
            table[i] = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
    if (transparent >= 0 && transparent < 256)
        table[transparent] = qRgba(qRed(table[transparent]), qGreen(table[transparent]), qBlue(table[transparent]), 0);
    return table;
}

}  // namespace

QSize gifSize(QByteArrayView bytes)
{
    MemoryInput input{bytes.data(), bytes.size()};
    const auto gif = openGif(input);
    // Without a logical screen the first frame gives the size.
    if (gif->SWidth <= 0 || gif->SHeight <= 0)
        return decodeGif(bytes).size();
    if (!isAcceptablePictureSize(gif->SWidth, gif->SHeight))
        throw PictureDecodeError();
    return QSize(gif->SWidth, gif->SHeight);
}

QImage decodeGif(QByteArrayView bytes)
{
    MemoryInput input{bytes.data(), bytes.size()};
    const auto gif = openGif(input);

    int transparent = -1;
    GifRecordType record;
    do {
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            throw PictureDecodeError();
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* extension = nullptr;
            if (DGifGetExtension(gif.get(), &code, &extension) == GIF_ERROR)
                throw PictureDecodeError();
            while (extension) {
                if (code == GRAPHICS_EXT_FUNC_CODE && extension[0] >= 4 && (extension[1] & 1))
                    transparent = extension[4];
                if (DGifGetExtensionNext(gif.get(), &extension) == GIF_ERROR)
                    throw PictureDecodeError();
            }
        } else if (record == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
                throw PictureDecodeError();
            const GifImageDesc& desc = gif->Image;
            const int screenWidth = gif->SWidth > 0 ? gif->SWidth : desc.Width;
            const int screenHeight = gif->SHeight > 0 ? gif->SHeight : desc.Height;
            if (!isAcceptablePictureSize(screenWidth, screenHeight) || !isAcceptablePictureSize(desc.Width, desc.Height))
                throw PictureDecodeError();
            QImage image = allocateImage(screenWidth, screenHeight, QImage::Format_Indexed8);
            image.setColorTable(colorTableOf(desc.ColorMap ? desc.ColorMap : gif->SColorMap, transparent));
            image.fill(uint(transparent >= 0 ? transparent : gif->SBackGroundColor));
            std::vector<GifPixelType> line(size_t(desc.Width));
            auto putLine = [&](int y) {
                if (DGifGetLine(gif.get(), line.data(), desc.Width) == GIF_ERROR)
                    throw PictureDecodeError();
                const int row = desc.Top + y;
                if (row < 0 || row >= screenHeight)
                    return;
                uchar* target = image.scanLine(row);
                for (int x = 0; x < desc.Width; ++x) {
                    const int column = desc.Left + x;
                    if (column >= 0 && column < screenWidth)
                        target[column] = line[size_t(x)];
                }
            };
            if (desc.Interlace) {
                static constexpr int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
                for (int pass = 0; pass < 4; ++pass)
                    for (int y = start[pass]; y < desc.Height; y += step[pass])
                        putLine(y);
            } else {
                for (int y = 0; y < desc.Height; ++y)
                    putLine(y);
            }
            return image;
        }
    } while (record != TERMINATE_RECORD_TYPE);
    throw PictureDecodeError();
}

}  // namespace poremi
