#pragma once

namespace plotix {

// Fills the regional settings record from the system locale (called at start-up).
void LoadRegionalFromSystem();

}  // namespace plotix
