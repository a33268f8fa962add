// Photos in windows: JPEG pictures picked from a file, shown from a blob column and
// written back to one. A photo keeps the exact bytes of its file from the upload to the
// database and back; nothing re-encodes it.
#pragma once
#include <string>

#include "data/Fields.h"
#include "data/Params.h"
#include "data/ZQuery.h"
#include "gui/ExtCtrls.h"
#include "gui/FileDialogs.h"

namespace kit {

// The open dialog of a photo upload: JPEG files only.
void SetupPhotoDialog(gui::TOpenDialog& dialog);

// Lets the user pick a file in the dialog and shows it in the image. False when the
// user cancels. The file is read as a JPEG whatever its name: a file that is no
// readable JPEG raises EInvalidGraphic and leaves the image as it was, so that only
// JPEG bytes ever reach the database.
bool UploadPhoto(gui::TOpenDialog& dialog, gui::TImage& image);

// Shows the JPEG bytes of a blob field; a NULL or empty field empties the image.
void ShowPhoto(gui::TImage& image, const data::TField& field);

// True when the image holds a JPEG photo that can be stored.
bool HasPhoto(gui::TImage& image);

// Binds the photo's bytes, exactly as loaded, to a blob parameter. An image without a
// JPEG photo binds NULL.
void BindPhoto(data::TParam& param, gui::TImage& image);

// Puts the default photo back: reads `foto_default` on the query and shows the column
// ("foto" or "foto_nikah"). False when no default photo row exists (the image is then
// left as it was).
bool ShowDefaultPhoto(data::TZQuery& query, gui::TImage& image, const std::string& column = "foto");

}  // namespace kit
