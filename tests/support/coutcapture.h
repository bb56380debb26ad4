#ifndef COUTCAPTURE_H
#define COUTCAPTURE_H

#include <iostream>
#include <sstream>
#include <string>

// Collects what is printed on std::cout while it lives.
class CoutCapture
{
public:
    CoutCapture() : mPrevious(std::cout.rdbuf(mText.rdbuf())) {}
    ~CoutCapture() { std::cout.rdbuf(mPrevious); }
    CoutCapture(const CoutCapture&) = delete;
    CoutCapture& operator=(const CoutCapture&) = delete;

    std::string text() const { return mText.str(); }

private:
    std::ostringstream mText;
    std::streambuf* mPrevious;
};

#endif
