// SPDX-License-Identifier: GPL-3.0-or-later
// velmo-cli plan [SEARCH OPTIONS] [PLAN OPTIONS] CATALOGUE: the stars that
// meet search's criteria and can be observed on one night from one site,
// with when and how high, in the plan format or in search's formats.
#pragma once

namespace velmo_cli {

// `argv[0]` is "plan", the options and the catalogue follow. Returns the
// exit status: 0 when a star is kept, 1 when none is or the night has no
// darkness (after a message), 2 on any error (after a message).
int RunPlanCommand(int argc, char* argv[]);

}  // namespace velmo_cli
