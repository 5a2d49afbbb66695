// The two service libraries are delay-loaded: nothing of theirs is bound until the first
// call. Start-up checks first that each can be loaded, so that a missing library (the
// usual installation mistake) is reported by name instead of by the loader.
#pragma once

// True when BmService.dll and BmHalApi.dll both load. Otherwise tells the operator in a
// message box which file is missing and the folder it belongs in, and returns false.
bool ServiceLibrariesPresent();
