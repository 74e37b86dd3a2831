#include "textimport/Tables.h"

#include "platform/Cp932.h"

#include <initializer_list>
#include <stdexcept>
#include <string_view>

namespace textimport::tables {

namespace {

// The lists are written in UTF-8 for readability and converted once.
std::vector<std::string> toCp932(std::initializer_list<std::string_view> utf8Words)
{
    std::vector<std::string> words;
    words.reserve(utf8Words.size());
    for (std::string_view word : utf8Words) {
        auto bytes = cp932::FromUtf8Strict(word);
        if (!bytes) {
            throw std::logic_error("word list entry without a code page 932 form");
        }
        words.push_back(std::move(*bytes));
    }
    return words;
}

} // namespace

const std::vector<std::string>& DigitSet()
{
    static const std::vector<std::string> words = toCp932({
        "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "-",
        "０", "１", "２", "３", "４", "５", "６", "７", "８", "９", "－",
    });
    return words;
}

const std::vector<std::string>& Prefectures()
{
    static const std::vector<std::string> words = toCp932({
        "北海道", "青森県", "岩手県", "宮城県",   "秋田県", "山形県",   "福島県", "茨城県", "栃木県", "群馬県",
        "埼玉県", "千葉県", "東京都", "神奈川県", "新潟県", "富山県",   "石川県", "福井県", "山梨県", "長野県",
        "岐阜県", "静岡県", "愛知県", "三重県",   "滋賀県", "京都府",   "大阪府", "兵庫県", "奈良県", "和歌山県",
        "鳥取県", "島根県", "岡山県", "広島県",   "山口県", "徳島県",   "香川県", "愛媛県", "高知県", "福岡県",
        "佐賀県", "長崎県", "熊本県", "大分県",   "宮崎県", "鹿児島県", "沖縄県",
    });
    return words;
}

const std::vector<std::string>& AddressWords()
{
    static const std::vector<std::string> words = toCp932({
        "北海道", "都",     "県",     "府",     "市",         "区",     "町",     "村",       "字",
        "番地",   "丁目",   "階",     "号",     "F",          "Ｆ",     "郵便局", "局留",     "局止",
        "ビル",   "ﾋﾞﾙ",    "メゾン", "ﾒｿﾞﾝ",   "マンション", "ﾏﾝｼｮﾝ",  "ハイツ", "ﾊｲﾂ",      "コーポ",
        "ｺｰﾎﾟ",   "カーサ", "ｶｰｻ",    "小学校", "中学",       "中学校", "高校",   "高等学校",
    });
    return words;
}

const std::vector<std::string>& MailWebMarkers()
{
    static const std::vector<std::string> words = toCp932({"@", ".com", ".jp", ".co", ".org", ".ne", ".net"});
    return words;
}

const std::vector<std::string>& RemovalLabels()
{
    // "TEL" stands twice: the second removal catches one that removing "Tel" and its kin has
    // just joined together ("TTelEL").
    static const std::vector<std::string> words = toCp932({
        "：",        ":",        "様",         "〒",         "郵便番号",   "ゆうびんばんごう",
        "℡",         "TEL",      "Tel",        "tel",        "Ｔｅｌ",     "ｔｅｌ",
        "TEL",       "ＴＥＬ",   "お電話番号", "電話番号",   "お電話",     "電話",
        "おでんわ",  "でんわ",   "おなまえ",   "お名前",     "御名前",     "名前",
        "御氏名",    "ご氏名",   "氏名",       "おところ１", "おところ２", "おところ1",
        "おところ2", "おところ", "ところ",     "都道府県",   "ご住所",     "住所１",
        "住所２",    "住所1",    "住所2",      "住所",       "ご送付先",   "送付先",
        "お送り先",  "送り先",   "お届け先",   "届け先",
    });
    return words;
}

} // namespace textimport::tables
