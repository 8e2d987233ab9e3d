#include "PngFile.h"

#include <GL/gl.h>
#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "framework/ofGraphics.h"

namespace {
// libpng reports errors through a callback; this one keeps the message and
// unwinds to the setjmp in writePng.
void onError(png_structp png, png_const_charp message) {
  auto* error = static_cast<std::string*>(png_get_error_ptr(png));
  *error = message;
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}
}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb,
              std::string* error) {
  if (width <= 0 || height <= 0 || rgb.size() != static_cast<size_t>(width) * height * 3) {
    *error = "image size does not match its pixels";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    *error = std::strerror(errno);
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, error, onError, onWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, nullptr);
    std::fclose(file);
    *error = "out of memory";
    return false;
  }
  // Nothing below may own resources other than png, info and file: a libpng
  // error jumps back here past every destructor.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    png_write_row(png, rgb.data() + static_cast<size_t>(y) * width * 3);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fclose(file) != 0) {
    *error = std::strerror(errno);
    return false;
  }
  return true;
}

std::vector<unsigned char> readBackBuffer(int w, int h) {
  ofFlushDrawing();  // lines still gathered must reach the picture
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  std::vector<unsigned char> upsideDown(static_cast<size_t>(w) * h * 3);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, upsideDown.data());
  std::vector<unsigned char> rgb(upsideDown.size());
  const size_t row = static_cast<size_t>(w) * 3;
  for (int y = 0; y < h; ++y) {
    std::memcpy(&rgb[y * row], &upsideDown[(h - 1 - y) * row], row);
  }
  return rgb;
}
