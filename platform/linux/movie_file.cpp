#include "platform/linux/movie_file.h"

#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace {
constexpr int rowBytes = movieTextureSide * movieBytesPerPixel;

void showMovieError(const char* text) {
  osServices().messageBox(text, "Error", {os::Buttons::ok, os::Icon::exclamation});
}

// The stream's length from its header, else from the container's index.
std::int32_t frameCountOf(AVStream* stream) {
  if (stream->nb_frames > 0) return static_cast<std::int32_t>(stream->nb_frames);
  return avformat_index_get_entries_count(stream);
}

bool openDecoder(MovieFile& movie, AVStream* stream) {
  const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
  if (codec == nullptr) return false;
  movie.decoder = avcodec_alloc_context3(codec);
  if (movie.decoder == nullptr) return false;
  if (avcodec_parameters_to_context(movie.decoder, stream->codecpar) < 0 ||
      avcodec_open2(movie.decoder, codec, nullptr) < 0) {
    avcodec_free_context(&movie.decoder);
    return false;
  }
  movie.packet = av_packet_alloc();
  movie.frame = av_frame_alloc();
  movie.scaled = new std::uint8_t[movieFrameBytes];
  return movie.packet != nullptr && movie.frame != nullptr;
}

// Back to the first frame, for a movie that starts again.
bool rewind(MovieFile& movie) {
  if (av_seek_frame(movie.container, movie.streamIndex, 0, AVSEEK_FLAG_BACKWARD) < 0) return false;
  avcodec_flush_buffers(movie.decoder);
  movie.nextFrame = 0;
  return true;
}

// The decoder's next frame into movie.frame; false at the end of the stream
// or on an error.
bool receiveNextFrame(MovieFile& movie) {
  for (;;) {
    int result = avcodec_receive_frame(movie.decoder, movie.frame);
    if (result == 0) {
      ++movie.nextFrame;
      return true;
    }
    if (result != AVERROR(EAGAIN)) return false;
    if (av_read_frame(movie.container, movie.packet) < 0) {
      // End of file: let the decoder give what it still holds.
      if (avcodec_send_packet(movie.decoder, nullptr) < 0) return false;
      continue;
    }
    if (movie.packet->stream_index == movie.streamIndex) result = avcodec_send_packet(movie.decoder, movie.packet);
    av_packet_unref(movie.packet);
    if (result < 0 && result != AVERROR(EAGAIN)) return false;
  }
}

bool scaleFrame(MovieFile& movie) {
  const AVFrame* frame = movie.frame;
  if (frame->format < 0 || frame->width <= 0 || frame->height <= 0) return false;
  movie.scaler = sws_getCachedContext(movie.scaler, frame->width, frame->height,
                                      static_cast<AVPixelFormat>(frame->format), movieTextureSide,
                                      movieTextureSide, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr,
                                      nullptr, nullptr);
  if (movie.scaler == nullptr) return false;
  std::uint8_t* planes[4] = {movie.scaled, nullptr, nullptr, nullptr};
  int strides[4] = {rowBytes, 0, 0, 0};
  return sws_scale(movie.scaler, frame->data, frame->linesize, 0, frame->height, planes, strides) ==
         movieTextureSide;
}
}  // namespace

std::int32_t openMovieFile(MovieFile& movie, const char* fileName) {
  av_log_set_level(AV_LOG_ERROR);
  if (avformat_open_input(&movie.container, fileName, nullptr, nullptr) < 0) {
    showMovieError("Failed To Open The AVI Stream");
    return -1;
  }
  // The headers describe our stream fully; probing further is only a help.
  avformat_find_stream_info(movie.container, nullptr);
  movie.streamIndex = av_find_best_stream(movie.container, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (movie.streamIndex < 0) {
    avformat_close_input(&movie.container);
    showMovieError("Failed To Open The AVI Stream");
    return -1;
  }
  AVStream* stream = movie.container->streams[movie.streamIndex];
  movie.frameCount = frameCountOf(stream);
  movie.nextFrame = 0;
  if (!openDecoder(movie, stream)) {
    avcodec_free_context(&movie.decoder);
    showMovieError("Failed To Open The AVI Frame");
  }
  return movie.frameCount;
}

bool decodeMovieFrame(MovieFile& movie, std::int32_t index, std::uint8_t* rgb) {
  if (movie.decoder == nullptr || index < 0) return false;
  if (index < movie.nextFrame && !rewind(movie)) return false;
  // Frames before the one asked for are decoded and dropped: the movie is
  // played forward, so this skips only what a stall jumped over.
  while (movie.nextFrame <= index) {
    if (!receiveNextFrame(movie)) return false;
  }
  if (!scaleFrame(movie)) return false;
  for (int row = 0; row < movieTextureSide; ++row) {
    std::memcpy(rgb + row * rowBytes, movie.scaled + (movieTextureSide - 1 - row) * rowBytes,
                rowBytes);
  }
  return true;
}

void closeMovieFile(MovieFile& movie) {
  sws_freeContext(movie.scaler);
  movie.scaler = nullptr;
  av_frame_free(&movie.frame);
  av_packet_free(&movie.packet);
  avcodec_free_context(&movie.decoder);
  avformat_close_input(&movie.container);
  delete[] movie.scaled;
  movie.scaled = nullptr;
  movie.streamIndex = -1;
  movie.frameCount = 0;
  movie.nextFrame = 0;
}
