// Kept views from the view's side: the record of the picture the document or the tree draws,
// and the picture of a record drawn again through a window without a screen.
#pragma once

#include <optional>

#include "keep/ViewRecord.h"
#include "png/PngBands.h"
#include "render/EscapeBands.h"

namespace morvale {

class CMorvale1Doc;
class CFractalView;

// The picture the document's prepared values draw; none before a kind is chosen.
std::optional<ViewRecord> RecordEscapeView(const CMorvale1Doc& doc, int series, PictureSize device,
                                           PictureSize client);
ViewRecord RecordTree(const CFractalView& view, PictureSize device, PictureSize client);

// The picture of an escape-time view at its recorded sizes, as the window shows it after taking
// the view like a preset and drawing.
EscapeBands ViewBands(const ViewRecord& record);

// The escape-time view's picture with its texts, a band at a time; false when sink refused.
bool WriteViewPng(const ViewRecord& record, const ByteSink& sink);

}  // namespace morvale
