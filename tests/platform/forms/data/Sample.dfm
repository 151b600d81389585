object SampleForm: TSampleForm
  Caption = 'Sample'#13#10'form' +
    ' title'
  Tag = -5
  object Panel1: TBox
    Left = 8
    Kind = bkFancy
    Sides = [sdLeft, sdBottom]
    Paint = clWarm
    Font.Style = [fsBold, fsItalic]
    Font.Size = 9
    Font.Name = 'Arial'
    Buddy = Label1
    Glyph.Data = {
      0102030405
      FF}
    FrameFlat = True
    FrameSides = [sdLeft, sdTop]
    Lines.Strings = (
      'first'
      'second line')
    Items = <
      item
        Caption = 'A'
        Value = 1
      end
      item
        Caption = 'B'#233
      end>
    OnClick = Panel1Click
    object Label1: TBox
      Left = -3
      Ratio = 1.5
      OldKind = bkPlain
    end
  end
  object Panel2: TBox
    Paint = 16711680
    Buddy = SampleForm.Panel1
  end
end
