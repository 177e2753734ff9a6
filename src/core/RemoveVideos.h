#pragma once

// Lists the ticked queue rows in a confirmation and, on Yes, removes them and renumbers the rest.
void RemoveCheckedVideos();
