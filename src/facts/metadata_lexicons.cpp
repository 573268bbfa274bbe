// The word lists of the extended page-facts mode. Entries are as shops write
// them; phrases are matched inside a control's or notice's lower-cased text,
// so "in den warenkorb" also finds "In den Warenkorb legen".

#include "facts/metadata_lexicons.hpp"

#include <algorithm>
#include <array>

namespace tarvik::commerce::lexicon {
namespace {

using sv = std::string_view;

// English --------------------------------------------------------------------
constexpr sv EN_CART[] = {"add to cart", "add to basket", "add to bag", "add to trolley", "buy now", "buy it now",
                          "add to shopping cart"};
constexpr sv EN_OOS[] = {"out of stock", "sold out", "currently unavailable", "temporarily unavailable",
                         "no longer available"};
constexpr sv EN_SKU[] = {"sku",          "item no.",     "item no",       "item number",   "item #",
                         "product code", "product no.",  "product number", "reference",    "ref.",
                         "article no.",  "article number", "order no.",   "model no.",     "model number",
                         "part no.",     "part number",  "mpn",           "ad no.",        "ad id",
                         "listing id",   "listing no.",  "listing number"};
constexpr sv EN_PRICE[] = {"price", "pricing"};
constexpr sv EN_REJECT[] = {"rrp", "was", "from", "per", "a month", "/mo", "monthly", "save", "msrp"};

// German ----------------------------------------------------------------------
constexpr sv DE_CART[] = {"in den warenkorb", "in den einkaufswagen", "zum warenkorb hinzufügen", "jetzt kaufen",
                          "in den korb", "sofort kaufen"};
constexpr sv DE_OOS[] = {"ausverkauft", "nicht auf lager", "nicht verfügbar", "derzeit nicht verfügbar", "vergriffen",
                         "nicht lieferbar", "nicht vorrätig"};
constexpr sv DE_SKU[] = {"artikelnummer", "art.-nr.",    "art.nr.",       "artikel-nr.",  "artikelnr.",
                         "bestellnummer", "best.-nr.",   "bestell-nr.",   "modellnummer", "teilenummer",
                         "produktnummer", "anzeigennummer", "anzeigen-nr.", "herstellernummer", "sachnummer",
                         "anzeigen-id",   "angebots-id",  "angebotsnummer"};
constexpr sv DE_PRICE[] = {"preis"};
constexpr sv DE_REJECT[] = {"uvp", "statt", "ab", "pro", "monat", "monatlich", "je", "sie sparen"};

// French ----------------------------------------------------------------------
constexpr sv FR_CART[] = {"ajouter au panier", "acheter maintenant", "ajouter au sac", "ajout au panier"};
constexpr sv FR_OOS[] = {"rupture de stock", "épuisé", "indisponible", "en rupture", "actuellement indisponible"};
constexpr sv FR_SKU[] = {"référence",      "réf.",           "ref.",          "code produit",      "code article",
                         "numéro d'article", "n° d'article", "numéro de modèle", "numéro de pièce", "numéro d'annonce",
                         "id de l'annonce", "réf. annonce", "référence de l'annonce"};
constexpr sv FR_PRICE[] = {"prix"};
constexpr sv FR_REJECT[] = {"au lieu de", "à partir de", "dès", "par", "mois", "prix conseillé", "économisez"};

// Spanish ---------------------------------------------------------------------
constexpr sv ES_CART[] = {"añadir al carrito", "agregar al carrito", "añadir a la cesta", "comprar ahora",
                          "añadir al carro", "agregar a la bolsa"};
constexpr sv ES_OOS[] = {"agotado", "sin stock", "no disponible", "fuera de stock", "sin existencias"};
constexpr sv ES_SKU[] = {"referencia",       "ref.",              "código de producto", "código de artículo",
                         "número de artículo", "nº de artículo", "número de modelo",   "número de pieza",
                         "número de anuncio", "id del anuncio", "id de anuncio", "referencia del anuncio"};
constexpr sv ES_PRICE[] = {"precio"};
constexpr sv ES_REJECT[] = {"antes", "desde", "por", "mes", "al mes", "ahorra"};

// Italian ---------------------------------------------------------------------
constexpr sv IT_CART[] = {"aggiungi al carrello", "compra ora", "acquista ora", "aggiungi alla borsa"};
constexpr sv IT_OOS[] = {"esaurito", "non disponibile", "non più disponibile", "fuori stock"};
constexpr sv IT_SKU[] = {"codice articolo", "codice prodotto", "cod. articolo", "riferimento", "numero articolo",
                         "codice modello", "numero di parte", "codice annuncio", "id annuncio",
                         "numero annuncio", "rif. annuncio"};
constexpr sv IT_PRICE[] = {"prezzo"};
constexpr sv IT_REJECT[] = {"invece di", "da", "al mese", "mese", "risparmi", "prezzo consigliato"};

// Dutch -----------------------------------------------------------------------
constexpr sv NL_CART[] = {"in winkelwagen", "toevoegen aan winkelwagen", "in winkelmand", "koop nu",
                          "in mijn winkelwagen", "in de winkelwagen"};
constexpr sv NL_OOS[] = {"uitverkocht", "niet op voorraad", "niet beschikbaar", "tijdelijk uitverkocht"};
constexpr sv NL_SKU[] = {"artikelnummer", "artikelnr.", "productcode", "bestelnummer", "modelnummer",
                         "onderdeelnummer", "advertentienummer", "referentie", "advertentie-id",
                         "advertentie id"};
constexpr sv NL_PRICE[] = {"prijs"};
constexpr sv NL_REJECT[] = {"van", "vanaf", "per", "maand", "adviesprijs", "bespaar"};

// Portuguese ------------------------------------------------------------------
constexpr sv PT_CART[] = {"adicionar ao carrinho", "comprar agora", "adicionar ao cesto", "adicionar à sacola"};
constexpr sv PT_OOS[] = {"esgotado", "indisponível", "sem estoque", "fora de estoque", "sem stock"};
constexpr sv PT_SKU[] = {"referência",       "ref.",             "código do produto", "cód. do produto",
                         "número do artigo", "número do modelo", "número da peça",
                         "id do anúncio",    "código do anúncio", "número do anúncio"};
constexpr sv PT_PRICE[] = {"preco", "preço"};
constexpr sv PT_REJECT[] = {"de", "a partir de", "por mês", "mês", "economize", "poupe"};

// Polish ----------------------------------------------------------------------
constexpr sv PL_CART[] = {"dodaj do koszyka", "kup teraz", "do koszyka"};
constexpr sv PL_OOS[] = {"brak w magazynie", "wyprzedane", "niedostępny", "produkt niedostępny", "brak towaru"};
constexpr sv PL_SKU[] = {"kod produktu",     "numer katalogowy", "nr katalogowy", "indeks", "kod towaru",
                         "numer ogłoszenia", "numer modelu",     "numer części",
                         "id ogłoszenia",    "nr ogłoszenia"};
constexpr sv PL_PRICE[] = {"cena"};
constexpr sv PL_REJECT[] = {"od", "zamiast", "miesięcznie", "mies.", "oszczędzasz", "cena katalogowa"};

// Swedish ---------------------------------------------------------------------
constexpr sv SV_CART[] = {"lägg i varukorgen", "köp nu", "lägg till i varukorgen", "lägg i kundvagnen",
                          "lägg i korgen"};
constexpr sv SV_OOS[] = {"slutsåld", "slut i lager", "ej i lager", "inte i lager", "tillfälligt slut"};
constexpr sv SV_SKU[] = {"artikelnummer", "art.nr", "art.nr.", "produktkod", "modellnummer", "annonsnummer", "annons-id", "annons id"};
constexpr sv SV_PRICE[] = {"pris"};
constexpr sv SV_REJECT[] = {"från", "ord.", "per", "mån", "/mån", "spara"};

// Danish ----------------------------------------------------------------------
constexpr sv DA_CART[] = {"læg i kurv", "tilføj til kurv", "køb nu", "læg i indkøbskurven", "læg i kurven"};
constexpr sv DA_OOS[] = {"udsolgt", "ikke på lager", "midlertidigt udsolgt"};
constexpr sv DA_SKU[] = {"varenummer", "varenr.", "varenr", "produktkode", "modelnummer", "annoncenummer", "annonce-id", "annonce id"};
constexpr sv DA_PRICE[] = {"pris"};
constexpr sv DA_REJECT[] = {"fra", "før", "pr.", "md.", "måned", "spar"};

// Japanese --------------------------------------------------------------------
constexpr sv JA_CART[] = {"カートに入れる", "カートに追加", "今すぐ購入", "買い物かごに入れる", "かごに追加"};
constexpr sv JA_OOS[] = {"在庫切れ", "売り切れ", "品切れ", "在庫なし", "販売終了"};
constexpr sv JA_SKU[] = {"品番", "商品番号", "商品コード", "型番", "janコード", "管理番号", "広告番号", "広告id", "出品id", "出品番号"};
constexpr sv JA_PRICE[] = {"kakaku"};
constexpr sv JA_REJECT[] = {"から", "月額", "/月", "定価", "参考価格", "通常価格"};

// Chinese ---------------------------------------------------------------------
constexpr sv ZH_CART[] = {"加入购物车", "立即购买", "加入購物車", "立即購買", "放入购物车"};
constexpr sv ZH_OOS[] = {"缺货", "售罄", "已售完", "无货", "缺貨", "售完", "已售罄"};
constexpr sv ZH_SKU[] = {"货号", "商品编号", "型号", "产品编号", "商品货号", "貨號", "商品編號", "型號",
                         "广告编号", "信息编号", "廣告編號", "刊登编号", "刊登編號"};
constexpr sv ZH_PRICE[] = {"jiage"};
constexpr sv ZH_REJECT[] = {"起", "原价", "/月", "每月", "原價", "市场价"};

// Russian ---------------------------------------------------------------------
constexpr sv RU_CART[] = {"в корзину", "добавить в корзину", "купить", "купить сейчас", "положить в корзину",
                          "купить в один клик"};
constexpr sv RU_OOS[] = {"нет в наличии", "распродано", "товар закончился", "нет на складе", "товара нет в наличии",
                         "временно отсутствует", "снят с продажи"};
constexpr sv RU_SKU[] = {"артикул", "код товара", "код продукта", "код", "номер объявления", "id объявления",
                         "№ объявления"};
constexpr sv RU_PRICE[] = {"tsena", "cena"};
constexpr sv RU_REJECT[] = {"от", "было", "в месяц", "/мес", "старая цена", "экономия"};

// Romanian --------------------------------------------------------------------
constexpr sv RO_CART[] = {"adaugă în coș", "adauga in cos", "cumpără acum", "adaugă în coşul de cumpărături"};
constexpr sv RO_OOS[] = {"stoc epuizat", "indisponibil", "nu este în stoc", "epuizat", "fără stoc"};
constexpr sv RO_SKU[] = {"cod", "cod produs", "cod articol", "articol", "id anunț", "id anunt", "cod anunț"};
constexpr sv RO_PRICE[] = {"pret"};
constexpr sv RO_REJECT[] = {"de la", "pe lună", "/lună", "preț vechi", "economisești"};

// Slovenian -------------------------------------------------------------------
constexpr sv SL_CART[] = {"dodaj v košarico", "v košarico", "kupi zdaj", "kupi"};
constexpr sv SL_OOS[] = {"ni na zalogi", "razprodano", "ni na voljo", "trenutno ni na zalogi"};
constexpr sv SL_SKU[] = {"koda", "koda izdelka", "šifra", "šifra izdelka", "artikel", "id oglasa", "številka oglasa"};
constexpr sv SL_PRICE[] = {"cena"};
constexpr sv SL_REJECT[] = {"od", "na mesec", "/mesec", "prej", "prihranite"};

const std::array<Language, 15> LANGUAGES = {{
    {"en", EN_CART, EN_OOS, EN_SKU, EN_PRICE, EN_REJECT},
    {"de", DE_CART, DE_OOS, DE_SKU, DE_PRICE, DE_REJECT},
    {"fr", FR_CART, FR_OOS, FR_SKU, FR_PRICE, FR_REJECT},
    {"es", ES_CART, ES_OOS, ES_SKU, ES_PRICE, ES_REJECT},
    {"it", IT_CART, IT_OOS, IT_SKU, IT_PRICE, IT_REJECT},
    {"nl", NL_CART, NL_OOS, NL_SKU, NL_PRICE, NL_REJECT},
    {"pt", PT_CART, PT_OOS, PT_SKU, PT_PRICE, PT_REJECT},
    {"pl", PL_CART, PL_OOS, PL_SKU, PL_PRICE, PL_REJECT},
    {"sv", SV_CART, SV_OOS, SV_SKU, SV_PRICE, SV_REJECT},
    {"da", DA_CART, DA_OOS, DA_SKU, DA_PRICE, DA_REJECT},
    {"ja", JA_CART, JA_OOS, JA_SKU, JA_PRICE, JA_REJECT},
    {"zh", ZH_CART, ZH_OOS, ZH_SKU, ZH_PRICE, ZH_REJECT},
    {"ru", RU_CART, RU_OOS, RU_SKU, RU_PRICE, RU_REJECT},
    {"ro", RO_CART, RO_OOS, RO_SKU, RO_PRICE, RO_REJECT},
    {"sl", SL_CART, SL_OOS, SL_SKU, SL_PRICE, SL_REJECT},
}};

constexpr sv HIDDEN_CLASSES[] = {"hidden", "hide", "dnone", "ishidden", "invisible", "displaynone",
                                 "uhidden", "visuallyhidden", "sronly", "screenreader", "jshidden"};
constexpr sv OTHER_PRODUCTS[] = {"related",  "recommend", "recommended", "recommendation", "recommendations",
                                 "carousel", "sponsored", "sponsor",     "upsell",         "upsells",
                                 "crosssell", "similar",  "alsobought",  "alsoviewed",     "recently"};
constexpr sv OLD_PRICE[] = {"old", "was", "strike", "strikethrough", "crossed", "rrp", "msrp", "uvp", "compare",
                            "before", "previous", "streich", "ancien", "barre"};
constexpr sv SIDE_PRICE[] = {"list", "regular", "original", "unit", "per", "save", "saving", "savings", "instalment",
                             "instalments", "installment", "installments", "month", "monthly", "reference", "base",
                             "from", "starting", "compareat"};
constexpr sv CURRENT_PRICE[] = {"current", "sale", "now", "our", "deal", "final", "actual", "offer", "special"};
constexpr sv BUY_IDS[] = {"addtocart", "addtobasket", "addtobag",   "addtotrolley", "buynow",        "addcart",
                          "cartadd",   "buybutton",   "buybox",     "addtocartbutton", "addtocartform", "add"};
constexpr sv ID_NAMES[] = {"sku",       "productsku",  "productid", "productcode", "itemid",  "itemno",
                           "itemnumber", "pid",        "prodid",    "articleid",   "articlenumber", "articleno",
                           "artnr",     "artikelnummer", "adid",    "adnumber",    "listingid",  "offerid",
                           "variantid", "productnumber", "catalognumber", "modelnumber", "goodsid", "skuid",
                           "asin"};
constexpr sv SEARCH_SEGMENTS[] = {"search", "suche", "recherche", "buscar", "busca", "cerca",  "zoeken",
                                  "szukaj", "sok",   "soeg",      "sch",    "s",     "results", "searchresults"};
constexpr sv SEARCH_KEYS[] = {"q",           "k",      "query",        "search",     "keyword", "keywords",
                              "searchterm",  "search_query", "field-keywords", "_nkw", "text", "term"};
constexpr sv FORUM_SEGMENTS[] = {"forum", "forums", "thread", "threads", "topic", "topics", "showthread.php",
                                 "viewtopic.php", "discussion", "discussions", "community"};

// Longest first where one token starts another ("R$" before "$" is not
// needed: tokens are matched at their own position, see the reader).
constexpr Currency TOKENS[] = {
    {"US$", "USD"}, {"CA$", "CAD"}, {"C$", "CAD"},  {"AU$", "AUD"}, {"A$", "AUD"},  {"NZ$", "NZD"},
    {"HK$", "HKD"}, {"S$", "SGD"},  {"R$", "BRL"},  {"MX$", "MXN"}, {"CN¥", "CNY"}, {"$", "USD"},
    {"€", "EUR"},   {"£", "GBP"},   {"¥", ""},      {"￥", ""},     {"円", "JPY"},  {"元", "CNY"},
    {"₹", "INR"},   {"₽", "RUB"},   {"₩", "KRW"},   {"₺", "TRY"},   {"₪", "ILS"},   {"₫", "VND"},
    {"₱", "PHP"},   {"฿", "THB"},   {"zł", "PLN"},  {"kč", "CZK"},  {"kr.", ""},    {"kr", ""},
    {"fr.", "CHF"}, {"lei", "RON"}, {"ft", "HUF"},  {"руб", "RUB"}, {"rs.", "INR"},
};
constexpr sv CODES[] = {"USD", "EUR", "GBP", "JPY", "CNY", "CAD", "AUD", "INR", "CHF", "SEK", "DKK", "NOK",
                        "PLN", "CZK", "HUF", "RON", "BRL", "MXN", "RUB", "KRW", "TRY", "ILS", "ZAR", "NZD",
                        "HKD", "SGD", "THB", "PHP", "IDR", "MYR", "VND", "AED", "SAR", "BGN", "ISK", "TWD"};

}  // namespace

std::span<const Language> languages() { return LANGUAGES; }

const Language* language(std::string_view code) {
  const std::size_t cut = code.find_first_of("-_");
  if (cut != std::string_view::npos) code = code.substr(0, cut);
  if (code.size() != 2) return nullptr;
  const char lowered[2] = {static_cast<char>(code[0] | 0x20), static_cast<char>(code[1] | 0x20)};
  const std::string_view key(lowered, 2);
  const auto it = std::find_if(LANGUAGES.begin(), LANGUAGES.end(), [&](const Language& l) { return l.code == key; });
  return it == LANGUAGES.end() ? nullptr : &*it;
}

const std::span<const std::string_view> HIDDEN_CLASS_WORDS = HIDDEN_CLASSES;
const std::span<const std::string_view> OTHER_PRODUCTS_WORDS = OTHER_PRODUCTS;
const std::span<const std::string_view> OLD_PRICE_WORDS = OLD_PRICE;
const std::span<const std::string_view> SIDE_PRICE_WORDS = SIDE_PRICE;
const std::span<const std::string_view> CURRENT_PRICE_WORDS = CURRENT_PRICE;
const std::span<const std::string_view> BUY_CONTROL_IDS = BUY_IDS;
const std::span<const std::string_view> ID_KEYS = ID_NAMES;
const std::span<const std::string_view> SEARCH_PATH_SEGMENTS = SEARCH_SEGMENTS;
const std::span<const std::string_view> SEARCH_QUERY_KEYS = SEARCH_KEYS;
const std::span<const std::string_view> FORUM_PATH_SEGMENTS = FORUM_SEGMENTS;
const std::span<const Currency> CURRENCY_TOKENS = TOKENS;
const std::span<const std::string_view> CURRENCY_CODES = CODES;

}  // namespace tarvik::commerce::lexicon
