#include "tests/host/TestEffect.h"

std::vector<SentRequest> RecordingHost::requests;
VstIntPtr RecordingHost::answer = 0;
