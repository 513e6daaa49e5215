// What the kinds that show a caption share (labels, buttons, frames, menu entries): the caption
// each is made with, which the view shows.
#pragma once

#include <string>

namespace toolkit {

class Captioned {
public:
    const std::string& Caption() const { return caption_; }

protected:
    explicit Captioned(std::string caption) : caption_(std::move(caption)) {}
    virtual ~Captioned() = default;

private:
    std::string caption_;
};

}  // namespace toolkit
