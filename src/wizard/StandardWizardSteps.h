#pragma once
// The wizard's steps as the program runs them: the download, sheet and paths
// windows opened through the UI service, the database build and the ROM listing.

#include "wizard/WizardWindowState.h"

namespace arc {

WizardSteps StandardWizardSteps();

}  // namespace arc
