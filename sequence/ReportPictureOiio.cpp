#include <OpenImageIO/filesystem.h>
#include <OpenImageIO/imagebuf.h>
#include <OpenImageIO/imagebufalgo.h>

#include "ReportPicture.h"
#include "Utf.h"

namespace {

namespace Algo = OIIO::ImageBufAlgo;

// OpenImageIO's own default face is not among Debian's fonts; these are.
constexpr const char* kFonts[] = {"DejaVuSans", "LiberationSans-Regular", "DroidSans"};

// The hologram's columns of one frame, scaled into its box as RGB.
bool PasteView(OIIO::ImageBuf& picture, const PictureLayout::View& view, const std::filesystem::path& folder) {
  OIIO::ImageBuf frame((folder / PathFromUtf8(view.strFile)).string());
  if (!frame.read(0, 0, true)) return false;
  const int channels = frame.nchannels();
  const std::vector<int> rgb = channels >= 3 ? std::vector<int>{0, 1, 2} : std::vector<int>{0, 0, 0};
  OIIO::ImageBuf columns = Algo::channels(frame, 3, rgb);
  const int height = frame.roi().height();
  columns = Algo::crop(columns, OIIO::ROI(view.nFirstColumn, view.nFirstColumn + view.nColumns, 0, height));
  columns.set_origin(0, 0);
  columns.set_full(0, view.nColumns, 0, height, 0, 1);
  OIIO::ImageBuf scaled = Algo::resize(columns, "", 0, OIIO::ROI(0, view.nWidth, 0, view.nHeight, 0, 1, 0, 3));
  return !scaled.has_error() && Algo::paste(picture, view.nX, view.nY, 0, 0, scaled);
}

bool Text(OIIO::ImageBuf& picture, int32_t x, int32_t y, const std::string& text, const std::string& font) {
  return Algo::render_text(picture, x, y, text, PictureLayout::kTextSize, font, PictureLayout::kText);
}

}  // namespace

bool DrawReportPicture(const CheckOutcome& outcome, std::string* pPng, std::string* pReason) {
  const PictureLayout layout = LayOutPicture(outcome);
  OIIO::ImageBuf picture(OIIO::ImageSpec(layout.nWidth, layout.nHeight, 3, OIIO::TypeDesc::UINT8));
  Algo::fill(picture, PictureLayout::kBackground);
  const auto found = std::find_if(std::begin(kFonts), std::end(kFonts), [&](const char* font) { return Text(picture, 0, layout.nCaptionY, " ", font); });
  if (found == std::end(kFonts)) {
    *pReason = "no font for its text (install fonts-dejavu-core or fonts-liberation)";
    return false;
  }
  for (const PictureLayout::View& view : layout.views) {
    const OIIO::ROI box(view.nX, view.nX + view.nWidth, view.nY, view.nY + view.nHeight);
    if (!view.bDrawable || !PasteView(picture, view, outcome.files.Folder())) Algo::fill(picture, PictureLayout::kBad, box);
    Text(picture, view.nX, layout.nLabelY, view.strLabel, *found);
  }
  for (size_t i = 0; i < layout.barColumns.size(); ++i) {
    const int32_t x = layout.nBarX + static_cast<int32_t>(i);
    Algo::fill(picture, layout.barColumns[i], OIIO::ROI(x, x + 1, layout.nBarY, layout.nBarY + layout.nBarHeight));
  }
  Text(picture, layout.nBarX, layout.nCaptionY, layout.strCaption, *found);

  std::vector<unsigned char> bytes;
  OIIO::Filesystem::IOVecOutput memory(bytes);
  picture.set_write_ioproxy(&memory);
  if (!picture.write("report.png", OIIO::TypeDesc::UINT8, "png")) {
    *pReason = picture.geterror();
    return false;
  }
  pPng->assign(bytes.begin(), bytes.end());
  return true;
}
