#include "OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

#include "io/AtomicWrite.h"

namespace bm::snd {

namespace {

void AppendPage(std::string& bytes, const ogg_page& page) {
  bytes.append(reinterpret_cast<const char*>(page.header), std::size_t(page.header_len));
  bytes.append(reinterpret_cast<const char*>(page.body), std::size_t(page.body_len));
}

}  // namespace

std::size_t WriteOggVorbis(const std::string& path, const Sound& s, float quality, std::uint32_t serial,
                           std::string& error) {
  const int channels = s.IsStereo() ? 2 : 1;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, kRate, quality) != 0) {
    vorbis_info_clear(&vi);
    error = "vorbis encoder refused the settings";
    return 0;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "ENCODER", "Brinemoor soundgen");
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, int(serial & 0x7fffffff));

  std::string bytes;
  ogg_page page;
  ogg_packet header, comment, codebooks, packet;
  vorbis_analysis_headerout(&vd, &vc, &header, &comment, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comment);
  ogg_stream_packetin(&os, &codebooks);
  while (ogg_stream_flush(&os, &page) != 0) AppendPage(bytes, page);

  const std::size_t frames = s.FrameCount();
  std::size_t pos = 0;
  bool done = false;
  while (!done) {
    const std::size_t n = std::min<std::size_t>(1024, frames - pos);
    if (n == 0) {
      vorbis_analysis_wrote(&vd, 0);
    } else {
      float** buf = vorbis_analysis_buffer(&vd, int(n));
      std::copy(s.left.begin() + long(pos), s.left.begin() + long(pos + n), buf[0]);
      if (channels == 2) std::copy(s.right.begin() + long(pos), s.right.begin() + long(pos + n), buf[1]);
      vorbis_analysis_wrote(&vd, int(n));
      pos += n;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      while (vorbis_bitrate_flushpacket(&vd, &packet) == 1) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page) != 0) {
          AppendPage(bytes, page);
          if (ogg_page_eos(&page)) done = true;
        }
      }
    }
    if (n == 0) done = true;
  }
  while (ogg_stream_flush(&os, &page) != 0) AppendPage(bytes, page);

  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);

  if (!bm::WriteFileAtomic(path, bytes, &error)) return 0;
  return bytes.size();
}

}  // namespace bm::snd
