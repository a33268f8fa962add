// The registry windows build their controls with the shared form kit of the entry
// windows, under the registry's own names.
#pragma once
#include "app/FormKit.h"

namespace registry {

using app::Chosen;
using app::Make;
using app::MakeButton;
using app::MakeEdit;
using app::MakeGroup;
using app::MakeLabel;
using app::MakeList;
using app::MakePicker;
using app::MakeSpeedButton;
using app::OpenLookup;
using app::ResetPhotoOrClose;
using app::SelectExact;
using app::SetEditable;
using app::SetInputEnabled;

}  // namespace registry
