// The fourteen formatting parameters that end every text-writing method, as the methods
// declare them, and the same names handed on to another such method.
#pragma once

#define VERBOLT_TEXT_FORMAT_PARAMS                                                                            \
    bool &blnBold, QString &strFont, std::int16_t &intSize, std::int16_t &intSpaceAfter,                      \
        std::int32_t &lngParagraphAlign, std::int32_t &lngColor, bool &blnItalic, bool &blnUnderline,         \
        std::int32_t &lngAnimation, bool &blnEmboss, bool &blnEngrave, bool &blnShadow, bool &blnStrikeThrough, \
        std::int32_t &lngInsertionPoint

#define VERBOLT_TEXT_FORMAT_ARGS                                                                              \
    blnBold, strFont, intSize, intSpaceAfter, lngParagraphAlign, lngColor, blnItalic, blnUnderline,           \
        lngAnimation, blnEmboss, blnEngrave, blnShadow, blnStrikeThrough, lngInsertionPoint
