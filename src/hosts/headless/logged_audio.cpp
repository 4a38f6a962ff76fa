#include "hosts/headless/logged_audio.h"

namespace vantrell {

void LoggedAudio::PlayEffect(std::span<const uint8_t> waveImage) {
    calls_.push_back("effect " + std::to_string(waveImage.size()) + " bytes");
    effects_.push_back(waveImage);
}

void LoggedAudio::StopEffect() {
    calls_.push_back("stop effect");
}

void LoggedAudio::OpenMusic(const std::string& alias, const std::string& file) {
    calls_.push_back("open " + alias + " " + file);
}

void LoggedAudio::PlayMusic(const std::string& alias, bool fromStart) {
    calls_.push_back("play " + alias + (fromStart ? " from 0" : ""));
}

void LoggedAudio::StopMusic(const std::string& alias) {
    calls_.push_back("stop " + alias);
}

void LoggedAudio::CloseMusic(const std::string& alias) {
    calls_.push_back("close " + alias);
}

void LoggedAudio::Clear() {
    calls_.clear();
    effects_.clear();
}

}  // namespace vantrell
