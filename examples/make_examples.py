#!/usr/bin/env python3
"""Writes the example shop files of Rowshift: a Taobao assistant 4.x file, a 5.x file and a
Paipai assistant file, each with its picture folder. The pictures are made by ImageMagick's
`convert` when it is installed; otherwise existing pictures are kept."""
import os
import shutil
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))

TB4_COLUMNS = ("宝贝名称 宝贝类目 店铺类目 新旧程度 省 城市 出售方式 宝贝价格 加价幅度 宝贝数量 有效期 运费承担 平邮 EMS 快递 "
               "付款方式 支付宝 发票 保修 闪电发货 自动重发 放入仓库 橱窗推荐 开始时间 心情故事 宝贝描述 宝贝图片 宝贝属性 团购价 "
               "最小团购件数 邮费模版ID 会员打折 修改时间 上传状态 图片状态 返点比例 新图片 视频 销售属性组合 用户输入ID串 "
               "用户输入名-值对 商家编码 销售属性别名 代充类型 宝贝编号 宝贝链接").split()
TB4_TEXT = set("宝贝名称 店铺类目 省 城市 出售方式 开始时间 心情故事 宝贝描述 宝贝图片 宝贝属性 修改时间 图片状态 新图片 视频 "
               "销售属性组合 用户输入ID串 用户输入名-值对 商家编码 销售属性别名 宝贝编号 宝贝链接".split())

TB5_COLUMNS = [("宝贝名称", "title"), ("宝贝类目", "cid"), ("店铺类目", "seller_cids"), ("新旧程度", "stuff_status"),
               ("省", "location_state"), ("城市", "location_city"), ("出售方式", "item_type"), ("宝贝价格", "price"),
               ("加价幅度", "auction_increment"), ("宝贝数量", "num"), ("有效期", "valid_thru"),
               ("运费承担", "freight_payer"), ("平邮", "post_fee"), ("EMS", "ems_fee"), ("快递", "express_fee"),
               ("发票", "has_invoice"), ("保修", "has_warranty"), ("放入仓库", "approve_status"),
               ("橱窗推荐", "has_showcase"), ("开始时间", "list_time"), ("宝贝描述", "description"),
               ("宝贝属性", "cateProps"), ("邮费模版ID", "postage_id"), ("会员打折", "has_discount"),
               ("修改时间", "modified"), ("上传状态", "upload_fail_msg"), ("图片状态", "picture_status"),
               ("返点比例", "auction_point"), ("新图片", "picture"), ("视频", "video"), ("销售属性组合", "skuProps"),
               ("用户输入ID串", "inputPids"), ("用户输入名-值对", "inputValues"), ("商家编码", "outer_id"),
               ("销售属性别名", "propAlias"), ("代充类型", "auto_fill"), ("数字ID", "num_id"), ("本地ID", "local_cid"),
               ("宝贝分类", "navigation_type"), ("账户名称", "user_name"), ("宝贝状态", "syncStatus")]
TB5_TEXT = set("宝贝名称 店铺类目 省 城市 开始时间 宝贝描述 宝贝属性 修改时间 上传状态 图片状态 新图片 视频 销售属性组合 "
               "用户输入ID串 用户输入名-值对 商家编码 销售属性别名 账户名称".split())

PP_COLUMNS = ("id 商品名称 出售方式 商品类目 店铺类目 商品数量 商品重量 有效期 定时上架 新旧程度 价格 加价幅度 省 市 运费承担 平邮 "
              "快递 EMS 购买限制 付款方式 有发票 有保修 支持财付通 自动重发 错误原因 图片 图片2 图片3 图片4 图片5 商品详情 上架选项 "
              "皮肤风格 属性 诚保 假一陪三 橱窗 库存属性 产品ID 商家编码 尺码对照表 版本").split()


def field(value, quoted):
    text = str(value)
    return '"' + text.replace('"', '""') + '"' if quoted else text


def write_utf16(path, text):
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + text.encode("utf-16-le"))


def make_picture(path, colour, label):
    if shutil.which("convert") is None:
        return
    result = subprocess.run(["convert", "-size", "48x48", "xc:" + colour, "-fill", "white", "-pointsize", "20",
                             "-gravity", "center", "-annotate", "0", label, "jpg:" + path],
                            capture_output=True)
    if result.returncode != 0 and not os.path.exists(path):
        raise SystemExit("convert failed: " + result.stderr.decode())


def taobao4():
    folder = os.path.join(HERE, "taobao4")
    pictures = os.path.join(folder, "女装")
    os.makedirs(pictures, exist_ok=True)
    items = [
        {"宝贝名称": "春季新款\u201c修身\u201d连衣裙", "宝贝类目": 50010850, "店铺类目": "101,102", "新旧程度": 0, "省": "浙江",
         "城市": "杭州", "出售方式": "b", "宝贝价格": "129.00", "宝贝数量": 20, "有效期": 14, "运费承担": 1, "平邮": "10.00",
         "EMS": "20.00", "快递": "12.50", "放入仓库": 0, "开始时间": "2010-3-1 10:00:00",
         "宝贝描述": '<p style="color:red">纯棉面料，<b>不</b>起球。</p>\t<p>尺码：S M L</p>',
         "宝贝属性": "20509:28314;1627207:28341", "新图片": "qz001a:0:0:|;qz001b:0:1:|;qz001c:1:0:|;",
         "商家编码": "QZ-001"},
        {"宝贝名称": "羊毛针织开衫", "宝贝类目": 50000697, "店铺类目": "", "新旧程度": 1, "省": "上海", "城市": "上海",
         "出售方式": "a", "宝贝价格": "88.5", "加价幅度": "5", "宝贝数量": 3, "有效期": 7, "运费承担": 2, "放入仓库": -2,
         "宝贝描述": "<div>手洗，平铺晾干。</div>", "新图片": "qz002a:0:0:|;", "商家编码": "QZ-002"},
        {"宝贝名称": "真丝围巾 \u2014 定时上架", "宝贝类目": 50010404, "店铺类目": ",205,", "新旧程度": 0, "省": "江苏",
         "城市": "苏州", "出售方式": "b", "宝贝价格": "59", "宝贝数量": 100, "有效期": 14, "运费承担": 1, "邮费模版ID": 3,
         "放入仓库": -1010, "开始时间": "2010-3-5 20:00:00", "宝贝描述": "<p>桑蚕丝 100%</p>",
         "新图片": "qz003a:0:0:|;qz003b:0:1:|;", "商家编码": "QZ-003"},
    ]
    lines = ["\t".join(TB4_COLUMNS)]
    for item in items:
        lines.append("\t".join(field(item.get(c, "" if c in TB4_TEXT else 0), c in TB4_TEXT) for c in TB4_COLUMNS))
    write_utf16(os.path.join(folder, "女装.csv"), "\r\n".join(lines) + "\r\n")
    for name, colour in [("qz001a", "crimson"), ("qz001b", "darkred"), ("qz001c", "salmon"), ("qz002a", "teal"),
                         ("qz003a", "purple"), ("qz003b", "orchid")]:
        make_picture(os.path.join(pictures, name + ".tbi"), colour, name[-2:])


def taobao5():
    folder = os.path.join(HERE, "taobao5")
    pictures = os.path.join(folder, "男鞋")
    os.makedirs(pictures, exist_ok=True)
    items = [
        {"宝贝名称": "透气跑步鞋", "宝贝类目": 50012906, "店铺类目": "1184361989,", "新旧程度": 1, "省": "福建",
         "城市": "泉州", "出售方式": 1, "宝贝价格": "199.00", "宝贝数量": 50, "有效期": 7, "运费承担": 2, "平邮": "0",
         "EMS": "0", "快递": "0", "放入仓库": 1, "开始时间": "2016-02-28 17:30:41 ",
         "宝贝描述": '<p>轻量鞋底，"气垫"缓震。</p>\n<p>码数：39-44</p>', "宝贝属性": "20000:3275069",
         "修改时间": "2016-02-28 17:30:41 ", "图片状态": "1;1;1;", "新图片": "nx001a:1:0:|;nx001b:1:1:|;nx001c:2:0:1627207:28341|;",
         "销售属性组合": "199:20:NX-001-39:1627207:28341;20509:28381;", "商家编码": "NX-001", "数字ID": 524123456789},
        {"宝贝名称": "商务皮鞋", "宝贝类目": 50011745, "店铺类目": "", "新旧程度": 3, "省": "广东", "城市": "广州",
         "出售方式": 1, "宝贝价格": "368", "宝贝数量": 8, "有效期": 14, "运费承担": 1, "邮费模版ID": 0, "平邮": "10",
         "EMS": "25", "快递": "15", "放入仓库": 2, "宝贝描述": "<p>头层牛皮</p>", "新图片": "nx002a:1:0:|;",
         "商家编码": "NX-002", "数字ID": 524123456790},
    ]
    lines = ["version 1.00", "\t".join(e for _, e in TB5_COLUMNS), "\t".join(c for c, _ in TB5_COLUMNS)]
    for item in items:
        lines.append("\t".join(field(item.get(c, "" if c in TB5_TEXT else 0), c in TB5_TEXT) for c, _ in TB5_COLUMNS))
    write_utf16(os.path.join(folder, "男鞋.csv"), "\n".join(lines) + "\n")
    for name, colour in [("nx001a", "navy"), ("nx001b", "steelblue"), ("nx001c", "skyblue"), ("nx002a", "saddlebrown")]:
        make_picture(os.path.join(pictures, name + ".tbi"), colour, name[-2:])


def paipai():
    folder = os.path.join(HERE, "paipai")
    pictures = os.path.join(folder, "数码")
    os.makedirs(pictures, exist_ok=True)
    with open(os.path.join(pictures, "{8C1F2A52-0D9B-4E61-9F39-1B6C0E5A7D21}.htm"), "wb") as f:
        f.write("<html><body><p>蓝牙耳机，续航 20 小时。</p></body></html>\r\n".encode("gbk"))
    items = [
        {"id": -1, "商品名称": "蓝牙耳机", "出售方式": "b", "商品数量": 30, "有效期": "7", "定时上架": "1970-1-1  8:00:00",
         "新旧程度": "1", "价格": "79.90", "省": "广东", "市": "深圳", "运费承担": "2", "平邮": "8", "快递": "10", "EMS": "20",
         "图片": "sm001a.jpg", "图片2": "C:\\Documents and Settings\\seller\\My Documents\\sm001b.jpg",
         "商品详情": "{8C1F2A52-0D9B-4E61-9F39-1B6C0E5A7D21}.htm", "上架选项": "1", "商家编码": "SM-001"},
        {"id": -1, "商品名称": "移动电源 10000mAh", "出售方式": "b", "商品数量": 12, "有效期": "14",
         "新旧程度": "2", "价格": "45", "省": "广东", "市": "东莞", "运费承担": "1", "图片": "sm002a.jpg",
         "商品详情": "<p>二手，九成新。</p>", "上架选项": "2", "商家编码": "SM-002"},
    ]
    lines = ["\t".join('"%s"' % c for c in PP_COLUMNS)]
    for item in items:
        values = []
        for c in PP_COLUMNS:
            if c == "版本":
                values.append(field("拍拍助理-商品管理 4.0 [54]", True))
            elif c in ("id", "商品数量"):
                values.append(str(item.get(c, 0)))
            else:
                values.append(field(item.get(c, ""), True))
        lines.append("\t".join(values))
    write_utf16(os.path.join(folder, "数码.csv"), "\r\n".join(lines) + "\r\n")
    for name, colour in [("sm001a", "black"), ("sm001b", "gray"), ("sm002a", "darkgreen")]:
        make_picture(os.path.join(pictures, name + ".jpg"), colour, name[-2:])


if __name__ == "__main__":
    taobao4()
    taobao5()
    paipai()
