#pragma once
// A picture of at most 256 colours as an 8-bit indexed image whose palette holds exactly its
// colours, in the order they first appear: PNG and GIF frames keep every pixel this way.
class QImage;

class TExactPalette
{
  public:
    // The indexed picture, or a null image when the picture has more than 256 colours.
    static QImage Indexed(const QImage& Image);
};
