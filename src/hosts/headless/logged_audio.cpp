#include "hosts/headless/logged_audio.h"

namespace vantrell {

void LoggedAudio::PlayEffect(std::span<const uint8_t> waveImage) {
    calls_.push_back("effect " + std::to_string(waveImage.size()) + " bytes");
    effects_.push_back(waveImage);
}

void LoggedAudio::StopEffect() {
    calls_.push_back("stop effect");
}

void LoggedAudio::OpenMusic(MusicPiece piece) {
    calls_.push_back(std::string("open ") + MusicPieceWord(piece));
}

void LoggedAudio::PlayMusic(MusicPiece piece, bool fromStart) {
    calls_.push_back(std::string("play ") + MusicPieceWord(piece) + (fromStart ? " from 0" : ""));
}

void LoggedAudio::StopMusic(MusicPiece piece) {
    calls_.push_back(std::string("stop ") + MusicPieceWord(piece));
}

void LoggedAudio::CloseMusic(MusicPiece piece) {
    calls_.push_back(std::string("close ") + MusicPieceWord(piece));
}

void LoggedAudio::Clear() {
    calls_.clear();
    effects_.clear();
}

}  // namespace vantrell
